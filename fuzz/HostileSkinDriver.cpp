// Loads damaged and hostile skins into a live skinned window, for as long as it is told:
// the gallery open on one of its pages, skinned, and skin after skin made from the
// shipped ones by mutation (description values swapped for hostile ones, lines dropped,
// bitmap headers and bytes changed, files dropped or renamed, the packed bytes flipped
// or cut), each loaded through the skin data component as a user's choice would be, then
// the window repainted, resized, maximised and restored and its caption hovered. A skin
// that cannot be used must be refused with a message; one that loads must paint. The
// skin being tried is written to `current.skin` in the work folder before it is loaded,
// so that whoever runs this (scripts/hostile-skins) keeps it when the process dies or
// stops answering; the progress line says which try it was.
//   hostile_skin <work folder> <seconds> [first seed] [skin folder]

#include "bench/BenchPump.h"
#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "tests/support/ShippedSkins.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainerWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Bytes = std::vector<std::byte>;

Bytes ReadWhole(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Bytes bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

bool WriteWhole(const std::wstring& path, const Bytes& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A shipped skin taken apart: its files in container order.
std::vector<SkinFileEntry> Unpacked(const Bytes& packed) {
    TMemoryStream stream{Bytes(packed)};
    TSkinReader reader;
    if (!reader.Open(stream)) return {};
    std::vector<SkinFileEntry> files;
    TMemoryStream file;
    for (int i = 0; i < reader.FileCount(); ++i) {
        const std::string name = reader.FileNames()[i];
        reader.ReadFile(name, file);
        const auto bytes = file.Bytes();
        files.push_back({name, Bytes(bytes.begin(), bytes.end())});
    }
    return files;
}

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    int Below(int bound) { return std::uniform_int_distribution<int>(0, std::max(bound, 1) - 1)(m_random); }

    // A value a description could hold that a reader must survive.
    std::string HostileValue(const std::vector<std::string>& otherValues) {
        static const char* const kValues[] = {"-1", "0", "1", "2147483647", "-2147483648", "4294967295", "99999",
                                              "", "abc", "0x7fffffff", "1,2,3,4,5,6,7,8,9", ",,,,", "-5,-5,-5,-5",
                                              "65535,65535,65535,65535", "missing.bmp", "a\\b\\c.bmp", "x.BMP",
                                              "1e308", "00000000000000000000000000007", " 12 ", "=", "[section]"};
        switch (Below(4)) {
        case 0:
            return std::string(Below(2) ? 5000 : 300, static_cast<char>('0' + Below(10)));
        case 1:
            if (!otherValues.empty()) return otherValues[static_cast<size_t>(Below(static_cast<int>(otherValues.size())))];
            [[fallthrough]];
        default:
            return kValues[Below(static_cast<int>(std::size(kValues)))];
        }
    }

    void Description(SkinFileEntry& ini) {
        std::vector<std::string> lines;
        std::string line;
        for (std::byte b : ini.bytes) {
            const char c = static_cast<char>(b);
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        if (!line.empty()) lines.push_back(line);
        if (lines.empty()) return;
        std::vector<std::string> values;
        for (const std::string& l : lines)
            if (const size_t eq = l.find('='); eq != std::string::npos) values.push_back(l.substr(eq + 1));
        const int changes = 1 + Below(12);
        for (int i = 0; i < changes; ++i) {
            std::string& target = lines[static_cast<size_t>(Below(static_cast<int>(lines.size())))];
            const size_t eq = target.find('=');
            switch (Below(6)) {
            case 0:
                target.clear();  // a line dropped
                break;
            case 1:
                lines.push_back(lines[static_cast<size_t>(Below(static_cast<int>(lines.size())))]);  // repeated
                break;
            case 2:
                if (eq != std::string::npos) target = target.substr(0, eq);  // a key without its value
                break;
            default:
                if (eq != std::string::npos) target = target.substr(0, eq + 1) + HostileValue(values);
                break;
            }
        }
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        ini.bytes.resize(text.size());
        std::memcpy(ini.bytes.data(), text.data(), text.size());
    }

    void Bitmap(SkinFileEntry& bitmap) {
        Bytes& b = bitmap.bytes;
        if (b.empty()) return;
        switch (Below(4)) {
        case 0:
            b.resize(static_cast<size_t>(Below(static_cast<int>(b.size()))));  // cut short
            break;
        case 1: {
            // A header field: sizes, offsets, width, height, planes, depth, compression, colours.
            static const int kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 50};
            static const uint32_t kValues[] = {0, 1, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFF, 4, 8, 16, 24, 32, 3};
            const size_t at = static_cast<size_t>(kFields[Below(static_cast<int>(std::size(kFields)))]);
            const uint32_t value = kValues[Below(static_cast<int>(std::size(kValues)))];
            for (size_t k = 0; k < 4 && at + k < b.size(); ++k) b[at + k] = static_cast<std::byte>(value >> (8 * k));
            break;
        }
        default:
            for (int i = 0, n = 1 + Below(16); i < n; ++i)
                b[static_cast<size_t>(Below(static_cast<int>(b.size())))] = static_cast<std::byte>(Below(256));
            break;
        }
    }

    Bytes Skin(const Bytes& seedPacked, std::vector<SkinFileEntry> files, std::string& what) {
        const int kind = Below(10);
        if (kind == 0) {
            // The packed bytes themselves: flipped, or cut.
            Bytes packed = seedPacked;
            if (Below(2)) {
                packed.resize(4 + static_cast<size_t>(Below(static_cast<int>(packed.size()) - 4)));
                what = "packed bytes cut";
            } else {
                for (int i = 0, n = 1 + Below(8); i < n; ++i)
                    packed[static_cast<size_t>(Below(static_cast<int>(packed.size())))] ^= static_cast<std::byte>(1 << Below(8));
                what = "packed bytes flipped";
            }
            return packed;
        }
        auto ini = std::find_if(files.begin(), files.end(), [](const SkinFileEntry& f) {
            return f.name.size() > 4 && f.name.compare(f.name.size() - 4, 4, ".ini") == 0;
        });
        if (kind <= 5 && ini != files.end()) {
            Description(*ini);
            what = "description values";
        } else if (kind <= 8) {
            for (int i = 0, n = 1 + Below(3); i < n; ++i) Bitmap(files[static_cast<size_t>(Below(static_cast<int>(files.size())))]);
            what = "bitmaps";
        } else {
            SkinFileEntry& victim = files[static_cast<size_t>(Below(static_cast<int>(files.size())))];
            if (Below(2)) {
                victim.name = "renamed" + std::to_string(Below(100)) + ".bmp";
                what = "a file renamed";
            } else {
                files.erase(files.begin() + (&victim - files.data()));
                what = "a file dropped";
            }
        }
        if (Below(3) == 0 && ini != files.end() && kind <= 8) Bitmap(files[static_cast<size_t>(Below(static_cast<int>(files.size())))]);
        return PackSkinStream(WriteSkinContainer(files));
    }

private:
    std::mt19937 m_random;
};

std::wstring Widened(const char* text) { return std::wstring(text, text + std::strlen(text)); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: hostile_skin <work folder> <seconds> [first seed] [skin folder]\n");
        return 2;
    }
    const std::wstring work = Widened(argv[1]);
    const double seconds = std::atof(argv[2]);
    unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::wstring skins = argc > 4 ? Widened(argv[4]) : std::wstring();
    if (skins.empty()) skins = ShippedSkinFolder();
    struct Seed {
        std::wstring path;
        Bytes packed;
        std::vector<SkinFileEntry> files;
    };
    std::vector<Seed> seeds;
    for (const wchar_t* name : {L"kestrelle.skin", L"dark.skin", L"contrast.skin"}) {
        Seed s{skins + L"\\" + name, {}, {}};
        s.packed = ReadWhole(s.path);
        s.files = Unpacked(s.packed);
        if (s.files.empty()) {
            std::fprintf(stderr, "hostile_skin: cannot read the seed skin %ls\n", s.path.c_str());
            return 2;
        }
        seeds.push_back(std::move(s));
    }

    int refusals = 0;
    TSkinReader::SetNotifier([&](std::u16string_view) { ++refusals; });  // no message box to block the run
    TApplication application;
    TSkinManage::Install();
    auto& form = application.CreateForm<TGalleryForm>();
    if (!form.Build({}, L"controls") || !form.Skin() || form.Skin()->NoSkin()) {
        std::fprintf(stderr, "hostile_skin: the gallery or its skin did not load\n");
        return 2;
    }
    form.Show();
    Pump(800);
    TSkinData& skin = *form.Skin();
    const wchar_t* const pages[] = {L"windows", L"controls", L"scrolling", L"tabs", L"media", L"menus"};
    const std::wstring current = work + L"\\current.skin";
    const DWORD started = ::GetTickCount();
    long tries = 0, loaded = 0;
    while ((::GetTickCount() - started) / 1000.0 < seconds) {
        if (tries % 25 == 0) {
            form.ShowPage(pages[(tries / 25) % std::size(pages)]);
            // Back to a good skin now and then, so that damage does not pile up unseen.
            skin.ChangeSkinFile(seeds[static_cast<size_t>(tries / 25) % seeds.size()].path);
            if (!skin.Active()) skin.SetActive(true);
            Pump(300);
        }
        Mutator mutate(seed);
        const Seed& from = seeds[static_cast<size_t>(mutate.Below(static_cast<int>(seeds.size())))];
        std::string what;
        const Bytes bytes = mutate.Skin(from.packed, from.files, what);
        if (!WriteWhole(current, bytes)) {
            std::fprintf(stderr, "hostile_skin: cannot write %ls\n", current.c_str());
            return 2;
        }
        std::printf("try %ld seed %u: %s of %ls\n", tries, seed, what.c_str(), from.path.c_str());
        std::fflush(stdout);
        const bool took = skin.ChangeSkinFile(current);
        if (took) {
            ++loaded;
            if (!skin.Active()) skin.SetActive(true);
        }
        Pump(300);  // the manager carries the change out on its timer
        HWND window = form.Handle();
        ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (mutate.Below(4) == 0) {
            ::ShowWindow(window, mutate.Below(2) ? SW_MAXIMIZE : SW_RESTORE);
            ::SetWindowPos(window, nullptr, 0, 0, 200 + mutate.Below(900), 100 + mutate.Below(700),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RECT frame{};
        ::GetWindowRect(window, &frame);
        for (int x = frame.right - 10; x > frame.right - 120; x -= 15)  // over the caption buttons
            ::SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(x, frame.top + 10));
        ::SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
        ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
        Pump(20);
        ++tries;
        ++seed;
    }
    std::printf("hostile_skin: %ld tries in %.0f s, %ld loaded, %d refused with a message; next seed %u\n", tries,
                (::GetTickCount() - started) / 1000.0, loaded, refusals, seed);
    return 0;
}
