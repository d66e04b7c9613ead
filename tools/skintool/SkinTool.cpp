#include "tools/skintool/SkinTool.h"

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainerWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: skintool list SKIN | extract SKIN FOLDER [NAME] | pack FOLDER SKIN | check SKIN";

// A failure that ends the command with a one-line message.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Files(int64_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

std::vector<std::byte> ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot open " + path.string());
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Failure("cannot read " + path.string());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(), [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

void WriteWholeFile(const fs::path& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw Failure("cannot write " + path.string());
}

TSkinReader OpenSkin(const std::string& file) {
    TMemoryStream packed(ReadWholeFile(file));
    TSkinReader reader;
    bool current = false;
    try {
        current = reader.Open(packed);
    } catch (const Exception& e) {
        throw Failure(file + ": " + e.what());
    }
    if (!current)
        throw Failure(file + ": container version " + std::to_string(reader.Version()) + ", this program reads " +
                      std::to_string(TSkinReader::kVersion));
    return reader;
}

// Names are written as they are into a folder: only plain file names qualify.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

int List(const std::string& file, std::ostream& out) {
    const TSkinReader reader = OpenSkin(file);
    int64_t total = 0;
    for (int i = 0; i < reader.FileCount(); ++i) {
        out << reader.FileSize(i) << '\t' << reader.FileNames()[i] << '\n';
        total += reader.FileSize(i);
    }
    out << Files(reader.FileCount()) << ", " << total << " bytes\n";
    return 0;
}

int Extract(const std::string& file, const fs::path& folder, const std::string* only, std::ostream& out) {
    const TSkinReader reader = OpenSkin(file);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) throw Failure("cannot create folder " + folder.string());

    std::set<std::string> written;
    TMemoryStream contents;
    for (int i = 0; i < reader.FileCount(); ++i) {
        const std::string& name = reader.FileNames()[i];
        if (only && name != AsciiLower(*only)) continue;
        // Lookups find the first of equal names, so that is the one that counts.
        if (!written.insert(name).second) continue;
        if (!IsPlainFileName(name)) throw Failure("entry \"" + name + "\" is not a plain file name; not extracted");
        reader.ReadFile(name, contents);
        WriteWholeFile(folder / name, contents.Bytes());
        out << (folder / name).string() << '\n';
    }
    if (only && written.empty()) throw Failure(file + ": no file named \"" + *only + "\"");
    return 0;
}

int Pack(const fs::path& folder, const std::string& file, std::ostream& out) {
    if (!fs::is_directory(folder)) throw Failure("no folder " + folder.string());
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) paths.push_back(entry.path());
    if (paths.empty()) throw Failure("folder " + folder.string() + " holds no files");
    // Bitmaps in name order, the description last.
    auto isDescription = [](const fs::path& p) { return AsciiLower(p.filename().string()).find(".ini") != std::string::npos; };
    std::sort(paths.begin(), paths.end(), [&](const fs::path& a, const fs::path& b) {
        if (isDescription(a) != isDescription(b)) return isDescription(b);
        return a.filename() < b.filename();
    });

    std::vector<SkinFileEntry> files;
    for (const auto& path : paths) files.push_back({path.filename().string(), ReadWholeFile(path)});
    std::vector<std::byte> packed;
    try {
        const auto container = WriteSkinContainer(files);
        packed = PackSkinStream(container);
        out << Files(static_cast<int64_t>(files.size())) << ", " << container.size() << " bytes packed into "
            << packed.size() << '\n';
    } catch (const std::invalid_argument& e) {
        throw Failure(e.what());
    } catch (const std::length_error& e) {
        throw Failure(e.what());
    }
    WriteWholeFile(file, packed);
    return 0;
}

int Check(const std::string& file, std::ostream& out, std::ostream& err) {
    const TSkinReader reader = OpenSkin(file);
    int problems = 0;
    auto problem = [&](const std::string& text) {
        err << file << ": " << text << '\n';
        ++problems;
    };

    TMemoryStream contents;
    for (int i = 0; i < reader.FileCount(); ++i) {
        const std::string& name = reader.FileNames()[i];
        if (name.size() < 4 || name.substr(name.size() - 4) != ".bmp") continue;
        reader.ReadFile(name, contents);
        const auto bytes = contents.Bytes();
        if (bytes.size() < 2 || bytes[0] != std::byte{'B'} || bytes[1] != std::byte{'M'})
            problem("\"" + name + "\" is not a Windows bitmap");
    }

    std::string descriptionName;
    reader.FindFile(".ini", contents, descriptionName);
    if (descriptionName.empty() || contents.Size() == 0) {
        problem("no skin description (a file whose name contains \".ini\")");
        return 1;
    }
    TQuickIni description;
    description.LoadFromStream(contents);

    // Every value that names a bitmap file, whatever its key.
    int named = 0;
    std::string section;
    TMemoryStream bitmap;
    for (int i = 0; i < description.Lines().Count(); ++i) {
        const std::string& line = description.Lines()[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string value = line.substr(eq + 1);
        const std::string lower = AsciiLower(value);
        if (lower.size() < 4 || lower.substr(lower.size() - 4) != ".bmp") continue;
        ++named;
        const std::string where = section + " " + line.substr(0, eq);
        if (SkinBitmapName(value).empty())
            problem(where + ": \"" + value + "\" will not load, the extension must read \".bmp\"");
        else if (!reader.ReadBitmap(value, bitmap))
            problem(where + ": bitmap \"" + SkinBitmapName(value) + "\" is not in the skin");
    }
    if (problems) return 1;
    out << file << ": ok, version " << reader.Version() << ", " << Files(reader.FileCount()) << ", description \""
        << descriptionName << "\", " << named << " bitmap references all present\n";
    return 0;
}

}  // namespace

int RunSkinTool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    try {
        const std::string command = args.empty() ? std::string() : args[0];
        if (command == "list" && args.size() == 2) return List(args[1], out);
        if (command == "extract" && (args.size() == 3 || args.size() == 4))
            return Extract(args[1], args[2], args.size() == 4 ? &args[3] : nullptr, out);
        if (command == "pack" && args.size() == 3) return Pack(args[1], args[2], out);
        if (command == "check" && args.size() == 2) return Check(args[1], out, err);
        err << kUsage << '\n';
        return 2;
    } catch (const std::exception& e) {
        err << "skintool: " << e.what() << '\n';
    }
    return 1;
}
