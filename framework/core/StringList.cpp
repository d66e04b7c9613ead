#include "framework/core/StringList.h"

#include "framework/core/Exception.h"

void TStringList::Assign(const TPersistent& source) {
    if (const auto* list = As<TStringList>(&source)) {
        static_cast<BasicStringList<char16_t>&>(*this) = *list;
        return;
    }
    TPersistent::Assign(source);
}
