// Skin description text from outside: loading, section and key lookups of every
// kept line, integers and colour triples.

#include "framework/core/Stream.h"
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

    // Each key line looked up in the section it stands in, as the skin loader does.
    std::string section;
    const TAnsiStringList& lines = ini.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            (void)ini.ReadString(section, "Image", "");
            continue;
        }
        const std::string key = lines.Name(i);
        const std::string value = ini.ReadString(section, key, "default");
        (void)ini.ReadInteger(section, key, -1);
        (void)ParseColourTriple(value, 0x12345678);
    }
    (void)ParseColourTriple(std::string(reinterpret_cast<const char*>(data), size), 0);
    return 0;
}
