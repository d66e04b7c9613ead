#pragma once
// Objects that can copy themselves from another of their kind (fonts, bitmaps,
// string lists...); what published properties of the object kind hold.

#include "framework/core/Object.h"

class TPersistent : public TObject {
    KESTRELLE_CLASS(TPersistent, TObject)

public:
    // Copies `source` into this object. The default knows no source and throws
    // EConvertError; classes override it for the sources they accept.
    virtual void Assign(const TPersistent& source);
};
