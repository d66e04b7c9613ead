// Stored layouts: reading must end in a layout error or a form whose written text
// reads back to the same text. Anything else (a crash, another exception, a
// round trip that changes values) is a fault.

#include "framework/core/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "tests/framework/PropertyTestClasses.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RegisterComponentClasses<TTestWidget, TTestButton, TTestPlainButton>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TTestForm form;
    try {
        ReadLayout(form, text);
    } catch (const ELayoutError&) {
        if (form.ComponentCount() != 0 || form.IsLoading()) std::abort();  // a failed read left something
        return 0;
    }
    const std::string written = WriteLayout(form);
    TTestForm copy;
    ReadLayout(copy, written);
    if (WriteLayout(copy) != written) {
        std::fputs(written.c_str(), stderr);
        std::abort();
    }
    return 0;
}
