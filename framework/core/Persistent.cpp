#include "framework/core/Persistent.h"

#include "framework/core/Exception.h"

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError(u"Cannot assign a " + std::u16string(source.ClassName()) + u" to a " +
                        std::u16string(ClassName()));
}
