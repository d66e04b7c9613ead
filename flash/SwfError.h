#pragma once
// The one failure a movie reports: malformed, truncated or unsupported data.

#include "framework/core/Exception.h"

class ESwfError : public Exception {
public:
    using Exception::Exception;
};
