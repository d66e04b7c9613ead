#include "framework/core/Properties.h"

#include "framework/core/Component.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "framework/graphics/Colors.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

[[noreturn]] void BadValue(const PropInfo& info, std::u16string_view text) {
    throw EConvertError(Quoted(text) + u" is not a valid value of " + info.name);
}

bool IsOrdinal(PropKind kind) noexcept {
    return kind == PropKind::Integer || kind == PropKind::Boolean || kind == PropKind::Enumeration ||
           kind == PropKind::Set;
}

int FindIdent(std::span<const std::u16string_view> idents, std::u16string_view ident) noexcept {
    for (size_t i = 0; i < idents.size(); ++i)
        if (SameText(idents[i], ident)) return static_cast<int>(i);
    return -1;
}

std::u16string_view Trim(std::u16string_view text) noexcept {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// "[a, b]" -> bits.
int64_t SetFromText(const PropInfo& info, std::u16string_view text) {
    const auto inner = Trim(text);
    if (inner.size() < 2 || inner.front() != u'[' || inner.back() != u']') BadValue(info, text);
    int64_t bits = 0;
    std::u16string_view rest = inner.substr(1, inner.size() - 2);
    while (!Trim(rest).empty()) {
        const auto comma = rest.find(u',');
        const auto member = Trim(rest.substr(0, comma));
        const int index = FindIdent(info.idents, member);
        if (index < 0) BadValue(info, member);
        bits |= int64_t{1} << index;
        if (comma == std::u16string_view::npos) break;
        rest.remove_prefix(comma + 1);
        if (Trim(rest).empty()) BadValue(info, text);  // trailing comma
    }
    return bits;
}

}  // namespace

// --- tables -----------------------------------------------------------------------

bool PropInfo::IsReadOnly() const noexcept {
    switch (kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::Set: return !setOrdinal;
    case PropKind::String: return !setString;
    case PropKind::Object: return !setObject;
    case PropKind::Event: return !setEvent;
    case PropKind::Binary: return !readBinary;
    }
    return true;
}

bool PropInfo::IsStored(const TObject& object) const {
    if (IsReadOnly()) return false;
    if (stored) return stored(object);
    switch (kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::Set: return !defaultOrdinal || getOrdinal(object) != *defaultOrdinal;
    case PropKind::String: return defaultString ? getString(object) != *defaultString : !getString(object).empty();
    case PropKind::Event: return !eventHandlerName(object).empty();
    case PropKind::Object:
    case PropKind::Binary: return true;
    }
    return true;
}

PropInfo& PropertyTable::Add(PropInfo info) {
    m_props.push_back(std::move(info));
    return m_props.back();
}

void PropertyTable::AddMethod(MethodInfo method) { m_methods.push_back(std::move(method)); }

const PropInfo* PropertyTable::Find(std::u16string_view name) const noexcept {
    for (const auto& p : m_props)
        if (SameText(p.name, name)) return &p;
    return nullptr;
}

const MethodInfo* PropertyTable::FindMethod(std::u16string_view name) const noexcept {
    for (const auto& m : m_methods)
        if (SameText(m.name, name)) return &m;
    return nullptr;
}

const PropertyTable& OwnProperties(const TClass& cls) {
    // Built on first use, kept for the life of the program. The UI thread is the
    // only one that touches component classes.
    static std::map<const TClass*, std::unique_ptr<PropertyTable>> tables;
    auto it = tables.find(&cls);
    if (it != tables.end()) return *it->second;
    auto table = std::make_unique<PropertyTable>();
    if (cls.publish) cls.publish(*table);
    return *tables.emplace(&cls, std::move(table)).first->second;
}

PropBuilder& PropBuilder::Idents(std::span<const IntIdent> table) {
    m_info.intToIdent = [table](int32_t value) -> std::optional<std::u16string> {
        for (const auto& entry : table)
            if (entry.value == value) return std::u16string(entry.name);
        return std::nullopt;
    };
    m_info.identToInt = [table](std::u16string_view ident) -> std::optional<int32_t> {
        for (const auto& entry : table)
            if (SameText(entry.name, ident)) return entry.value;
        return std::nullopt;
    };
    return *this;
}

namespace kestrelle_detail {

std::u16string WideToU16(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::u16string(text.begin(), text.end());
    } else {
        std::u16string out;
        out.reserve(text.size());
        for (wchar_t w : text) {
            const auto c = static_cast<char32_t>(w);
            AppendUtf16(out, c > 0x10FFFF ? char32_t{0xFFFD} : c);
        }
        return out;
    }
}

std::wstring U16ToWide(std::u16string_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::wstring(text.begin(), text.end());
    } else {
        std::wstring out;
        out.reserve(text.size());
        for (size_t i = 0; i < text.size();) out += static_cast<wchar_t>(NextCodePoint(text, i));
        return out;
    }
}

void MakeColourIdents(PropInfo& info) {
    info.intToIdent = [](int32_t value) -> std::optional<std::u16string> {
        if (auto ident = ColourToIdent(value)) return std::u16string(*ident);
        return std::nullopt;
    };
    info.identToInt = [](std::u16string_view ident) { return IdentToColour(ident); };
}

}  // namespace kestrelle_detail

// --- lookups ----------------------------------------------------------------------

const PropInfo* FindPropInfo(const TClass& cls, std::u16string_view name) {
    for (const TClass* c = &cls; c; c = c->parent)
        if (const PropInfo* info = OwnProperties(*c).Find(name)) return info;
    return nullptr;
}

std::pair<TObject*, const PropInfo*> ResolveProp(const TObject* object, std::u16string_view path) {
    // Getters of owned objects do not change the object; the const is ours to drop.
    auto* current = const_cast<TObject*>(object);
    while (current) {
        const auto dot = path.find(u'.');
        const PropInfo* info = FindPropInfo(current->ClassType(), path.substr(0, dot));
        if (!info) break;
        if (dot == std::u16string_view::npos) return {current, info};
        if (info->kind != PropKind::Object) break;
        current = info->getObject(*current);
        path.remove_prefix(dot + 1);
    }
    return {nullptr, nullptr};
}

const PropInfo* FindPropInfo(const TObject* object, std::u16string_view path) {
    return ResolveProp(object, path).second;
}

bool IsPublishedProp(const TObject* object, std::u16string_view path) {
    return FindPropInfo(object, path) != nullptr;
}

std::vector<const PropInfo*> PublishedProps(const TClass& cls) {
    std::vector<const TClass*> chain;
    for (const TClass* c = &cls; c; c = c->parent) chain.push_back(c);
    std::vector<const PropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const auto& p : OwnProperties(**it).Props()) {
            bool replaced = false;
            for (auto& existing : out) {
                if (SameText(existing->name, p.name)) {
                    existing = &p;  // the descendant's accessors win, the ancestor's place stays
                    replaced = true;
                }
            }
            if (!replaced) out.push_back(&p);
        }
    }
    return out;
}

const MethodInfo* FindMethodInfo(const TClass& cls, std::u16string_view name) {
    for (const TClass* c = &cls; c; c = c->parent)
        if (const MethodInfo* m = OwnProperties(*c).FindMethod(name)) return m;
    return nullptr;
}

// --- conversions ------------------------------------------------------------------

std::u16string OrdinalToText(const PropInfo& info, int64_t value) {
    switch (info.kind) {
    case PropKind::Boolean:
    case PropKind::Enumeration:
        if (value >= 0 && static_cast<uint64_t>(value) < info.idents.size())
            return std::u16string(info.idents[static_cast<size_t>(value)]);
        return FromUtf8(std::to_string(value));
    case PropKind::Set: {
        std::u16string out = u"[";
        for (size_t i = 0; i < info.idents.size() && i < 32; ++i) {
            if (!(value & (int64_t{1} << i))) continue;
            if (out.size() > 1) out += u',';
            out += info.idents[i];
        }
        return out + u"]";
    }
    default:
        if (info.intToIdent)
            if (auto ident = info.intToIdent(static_cast<int32_t>(value))) return *ident;
        return FromUtf8(std::to_string(value));
    }
}

int64_t OrdinalFromIdent(const PropInfo& info, std::u16string_view ident) {
    if (info.kind == PropKind::Boolean || info.kind == PropKind::Enumeration) {
        const int index = FindIdent(info.idents, ident);
        if (index < 0) BadValue(info, ident);
        return index;
    }
    if (info.kind == PropKind::Integer && info.identToInt)
        if (auto value = info.identToInt(ident)) return *value;
    BadValue(info, ident);
}

int64_t CheckedOrdinal(const PropInfo& info, int64_t value) {
    bool ok = true;
    switch (info.kind) {
    case PropKind::Integer: ok = value >= INT32_MIN && value <= INT32_MAX; break;
    case PropKind::Boolean:
    case PropKind::Enumeration: ok = value >= 0 && static_cast<uint64_t>(value) < info.idents.size(); break;
    case PropKind::Set: {
        const size_t members = std::min<size_t>(info.idents.size(), 32);
        ok = value >= 0 && static_cast<uint64_t>(value) < (uint64_t{1} << members);
        break;
    }
    default: ok = false;
    }
    if (!ok) BadValue(info, FromUtf8(std::to_string(value)));
    return value;
}

std::u16string BytesToHex(std::span<const std::byte> bytes) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string out;
    out.reserve(bytes.size() * 2);
    for (std::byte b : bytes) {
        const auto v = static_cast<unsigned>(b);
        out += digits[v >> 4];
        out += digits[v & 0xF];
    }
    return out;
}

std::vector<std::byte> HexToBytes(std::u16string_view hex) {
    std::vector<std::byte> out;
    out.reserve(hex.size() / 2);
    int high = -1;
    for (char16_t c : hex) {
        int v;
        if (c >= u'0' && c <= u'9') v = c - u'0';
        else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
        else if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') continue;
        else throw EConvertError(u"Invalid character in hexadecimal data");
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::byte>((high << 4) | v));
            high = -1;
        }
    }
    if (high >= 0) throw EConvertError(u"Odd number of hexadecimal digits");
    return out;
}

// --- typed access -----------------------------------------------------------------

std::optional<int64_t> GetOrdProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || !IsOrdinal(info->kind)) return std::nullopt;
    return info->getOrdinal(*target);
}

bool SetOrdProp(TObject* object, std::u16string_view path, int64_t value) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || !IsOrdinal(info->kind) || !info->setOrdinal) return false;
    info->setOrdinal(*target, CheckedOrdinal(*info, value));
    return true;
}

std::optional<int32_t> GetIntProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Integer) return std::nullopt;
    return static_cast<int32_t>(info->getOrdinal(*target));
}

bool SetIntProp(TObject* object, std::u16string_view path, int32_t value) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Integer || !info->setOrdinal) return false;
    info->setOrdinal(*target, value);
    return true;
}

std::optional<std::u16string> GetEnumProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || (info->kind != PropKind::Enumeration && info->kind != PropKind::Boolean)) return std::nullopt;
    return OrdinalToText(*info, info->getOrdinal(*target));
}

bool SetEnumProp(TObject* object, std::u16string_view path, std::u16string_view ident) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || (info->kind != PropKind::Enumeration && info->kind != PropKind::Boolean) || !info->setOrdinal)
        return false;
    info->setOrdinal(*target, OrdinalFromIdent(*info, ident));
    return true;
}

std::optional<std::u16string> GetStrProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::String) return std::nullopt;
    return info->getString(*target);
}

bool SetStrProp(TObject* object, std::u16string_view path, std::u16string_view value) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::String || !info->setString) return false;
    info->setString(*target, value);
    return true;
}

TObject* GetObjectProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Object) return nullptr;
    return info->getObject(*target);
}

bool SetObjectProp(TObject* object, std::u16string_view path, TObject* value) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Object || !info->setObject) return false;
    info->setObject(*target, value);
    return true;
}

bool IsEventAssigned(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    return info && info->kind == PropKind::Event && info->eventAssigned(*target);
}

std::optional<std::u16string> GetEventHandlerName(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Event) return std::nullopt;
    return info->eventHandlerName(*target);
}

bool BindEventProp(TObject* object, std::u16string_view path, TObject& root, std::u16string_view handler) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Event) return false;
    if (handler.empty()) return info->setEvent(*target, std::any());
    const MethodInfo* method = FindMethodInfo(root.ClassType(), handler);
    if (!method)
        throw EConvertError(std::u16string(root.ClassName()) + u" has no handler " + Quoted(handler));
    if (!info->setEvent(*target, method->bind(root)))
        throw EConvertError(u"Handler " + Quoted(handler) + u" does not fit event " + info->name);
    return true;
}

std::optional<std::vector<std::byte>> GetBinaryProp(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Binary || !info->writeBinary) return std::nullopt;
    TMemoryStream stream;
    info->writeBinary(*target, stream);
    return stream.TakeBytes();
}

bool SetBinaryProp(TObject* object, std::u16string_view path, std::span<const std::byte> bytes) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->kind != PropKind::Binary || !info->readBinary) return false;
    TMemoryStream stream(std::vector<std::byte>(bytes.begin(), bytes.end()));
    info->readBinary(*target, stream);
    return true;
}

void AssignPublished(TObject& target, const TObject& source) {
    if (&target == &source) return;
    for (const PropInfo* from : PublishedProps(source.ClassType())) {
        const PropInfo* to = FindPropInfo(target.ClassType(), from->name);
        if (!to || to->kind != from->kind || to->IsReadOnly()) continue;
        switch (from->kind) {
        case PropKind::Integer:
        case PropKind::Boolean:
        case PropKind::Enumeration:
        case PropKind::Set: to->setOrdinal(target, from->getOrdinal(source)); break;
        case PropKind::String: to->setString(target, from->getString(source)); break;
        case PropKind::Object: {
            TObject* value = from->getObject(const_cast<TObject&>(source));
            if (value || to->reference) to->setObject(target, value);
            break;
        }
        case PropKind::Binary: {
            if (!from->writeBinary) break;
            TMemoryStream stream;
            from->writeBinary(source, stream);
            stream.SetPosition(0);
            to->readBinary(target, stream);
            break;
        }
        case PropKind::Event: break;
        }
    }
}

// --- text -------------------------------------------------------------------------

std::optional<std::u16string> GetPropText(const TObject* object, std::u16string_view path) {
    auto [target, info] = ResolveProp(object, path);
    if (!info) return std::nullopt;
    switch (info->kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::Set: return OrdinalToText(*info, info->getOrdinal(*target));
    case PropKind::String: return info->getString(*target);
    case PropKind::Event: return info->eventHandlerName(*target);
    case PropKind::Binary: {
        if (!info->writeBinary) return std::nullopt;
        TMemoryStream stream;
        info->writeBinary(*target, stream);
        return BytesToHex(stream.Bytes());
    }
    case PropKind::Object: {
        if (!info->reference) return std::nullopt;
        const auto* component = As<TComponent>(info->getObject(*target));
        return component ? component->Name() : std::u16string();
    }
    }
    return std::nullopt;
}

bool SetPropText(TObject* object, std::u16string_view path, std::u16string_view text, TObject* root) {
    auto [target, info] = ResolveProp(object, path);
    if (!info || info->IsReadOnly()) return false;
    switch (info->kind) {
    case PropKind::Integer: {
        if (auto number = TryStrToInt(Trim(text))) info->setOrdinal(*target, *number);
        else info->setOrdinal(*target, OrdinalFromIdent(*info, Trim(text)));
        return true;
    }
    case PropKind::Boolean:
    case PropKind::Enumeration: info->setOrdinal(*target, OrdinalFromIdent(*info, Trim(text))); return true;
    case PropKind::Set: info->setOrdinal(*target, SetFromText(*info, text)); return true;
    case PropKind::String: info->setString(*target, text); return true;
    case PropKind::Event: return root && BindEventProp(target, info->name, *root, Trim(text));
    case PropKind::Binary: {
        TMemoryStream stream(HexToBytes(text));
        info->readBinary(*target, stream);
        return true;
    }
    case PropKind::Object: {
        if (!info->reference || !root) return false;
        const auto name = Trim(text);
        TObject* found = nullptr;
        if (!name.empty()) {
            if (auto* owner = As<TComponent>(root))
                found = SameText(owner->Name(), name) ? owner : owner->FindComponent(name);
            if (!found) throw EConvertError(u"No component named " + Quoted(name));
        }
        info->setObject(*target, found);
        return true;
    }
    }
    return false;
}
