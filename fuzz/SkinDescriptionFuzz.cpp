// Skin description text from outside: loading, every section and key lookup,
// integers and colour triples.

#include "framework/Stream.h"
#include "skin/data/QuickIni.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    TMemoryStream stream(std::vector<std::byte>(bytes, bytes + size));
    TQuickIni ini;
    ini.LoadFromStream(stream);
    TAnsiStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count() && s < 64; ++s) {
        for (int i = 0; i < ini.Lines().Count() && i < 256; ++i) {
            const std::string key = ini.Lines().Name(i);
            const std::string value = ini.ReadString(sections[s], key, "default");
            (void)ini.ReadInteger(sections[s], key, -1);
            (void)ParseColourTriple(value, 0x12345678);
        }
        (void)ini.ReadString(sections[s], "Image", "");
    }
    (void)ParseColourTriple(std::string(reinterpret_cast<const char*>(data), size), 0);
    return 0;
}
