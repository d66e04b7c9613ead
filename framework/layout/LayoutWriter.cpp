#include "framework/layout/LayoutWriter.h"

#include "framework/core/Collection.h"
#include "framework/core/Properties.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"
#include "framework/core/Strings.h"

#include <map>
#include <vector>

namespace {

// Owned objects hold owned objects rarely more than two deep; the bound stops a
// getter that hands out its own owner from recursing forever.
constexpr int kMaxObjectDepth = 16;
constexpr size_t kHexBytesPerLine = 32;

bool IsIdent(std::u16string_view text) noexcept {
    if (text.empty()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        if (!letter && !(i > 0 && c >= u'0' && c <= u'9')) return false;
    }
    return true;
}

std::string Quote(std::u16string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    auto escape = [&](std::string& out, char16_t c) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += hex[(c >> shift) & 0xF];
    };
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += ToUtf8(text.substr(i, 2));
            ++i;
        } else if (high || low) {
            escape(out, c);  // a lone surrogate survives only as an escape
        } else if (c == u'"') {
            out += "\\\"";
        } else if (c == u'\\') {
            out += "\\\\";
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (c < 0x20) {
            escape(out, c);
        } else {
            out += ToUtf8(text.substr(i, 1));
        }
    }
    return out + "\"";
}

class Writer {
public:
    explicit Writer(const TComponent& root) : m_root(root) {
        for (int i = 0; i < root.ComponentCount(); ++i) {
            const TComponent* c = root.Components(i);
            const TComponent* parent = c->GetParentComponent();
            if (parent && parent != &root && parent->Owner() == &root) m_children[parent].push_back(c);
            else m_children[&root].push_back(c);
        }
    }

    std::string Run() {
        Entry(m_root, 0);
        // A component reachable only through a cycle of parents would be lost unseen.
        if (m_written != m_root.ComponentCount() + 1)
            throw EConvertError(u"Cannot store components whose parents form a cycle");
        return std::move(m_out);
    }

private:
    void Entry(const TComponent& c, int depth) {
        if (!c.Name().empty() && !IsIdent(c.Name()))
            throw EConvertError(u"Cannot store a component named \"" + c.Name() + u"\"");
        Line(depth, ToUtf8(c.Name()) + ": " + ToUtf8(c.ClassName()) + " {");
        ++m_written;
        Properties(c, "", depth + 1, 0);
        if (auto it = m_children.find(&c); it != m_children.end())
            for (const TComponent* child : it->second) Entry(*child, depth + 1);
        Line(depth, "}");
    }

    void Properties(const TObject& object, const std::string& prefix, int depth, int objectDepth) {
        for (const PropInfo* info : PublishedProps(object.ClassType())) {
            const std::string name = prefix + ToUtf8(info->name);
            if (info->kind == PropKind::Object && !info->reference) {
                if (info->stored && !info->stored(object)) continue;
                const TObject* held = info->getObject(const_cast<TObject&>(object));
                if (!held || info->IsReadOnly()) continue;
                if (const auto* lines = As<TStringList>(held)) {
                    if (!lines->Empty()) StringList(name, *lines, depth);
                } else if (const auto* items = As<TCollection>(held)) {
                    if (items->Count() > 0) Collection(name, *items, depth, objectDepth);
                } else if (objectDepth < kMaxObjectDepth) {
                    Properties(*held, name + ".", depth, objectDepth + 1);
                }
                continue;
            }
            if (!info->IsStored(object)) continue;
            Value(object, *info, name, depth);
        }
    }

    void Value(const TObject& object, const PropInfo& info, const std::string& name, int depth) {
        switch (info.kind) {
        case PropKind::Integer:
        case PropKind::Boolean:
        case PropKind::Enumeration:
            Line(depth, name + " = " + ToUtf8(OrdinalToText(info, info.getOrdinal(object))));
            return;
        case PropKind::Set: {
            std::string text = ToUtf8(OrdinalToText(info, info.getOrdinal(object)));
            std::string spaced;
            for (char ch : text) spaced += ch == ',' ? std::string(", ") : std::string(1, ch);
            Line(depth, name + " = " + spaced);
            return;
        }
        case PropKind::String: Line(depth, name + " = " + Quote(info.getString(object))); return;
        case PropKind::Event: Line(depth, name + " = " + ToUtf8(info.eventHandlerName(object))); return;
        case PropKind::Binary: {
            TMemoryStream stream;
            info.writeBinary(object, stream);
            Binary(name, stream.Bytes(), depth);
            return;
        }
        case PropKind::Object: {
            const auto* target = As<TComponent>(info.getObject(const_cast<TObject&>(object)));
            // Only the root and what it owns can be found again when the layout is read.
            if (!target || !IsIdent(target->Name()) || (target != &m_root && target->Owner() != &m_root)) return;
            Line(depth, name + " = " + ToUtf8(target->Name()));
            return;
        }
        }
    }

    void StringList(const std::string& name, const TStringList& lines, int depth) {
        Line(depth, name + " = [");
        for (int i = 0; i < lines.Count(); ++i) Line(depth + 1, Quote(lines[i]));
        Line(depth, "]");
    }

    void Collection(const std::string& name, const TCollection& items, int depth, int objectDepth) {
        Line(depth, name + " = [");
        for (int i = 0; i < items.Count(); ++i) {
            Line(depth + 1, "{");
            Properties(*items.Items(i), "", depth + 2, objectDepth + 1);
            Line(depth + 1, "}");
        }
        Line(depth, "]");
    }

    void Binary(const std::string& name, std::span<const std::byte> bytes, int depth) {
        if (bytes.size() <= kHexBytesPerLine) {
            Line(depth, name + " = <" + ToUtf8(BytesToHex(bytes)) + ">");
            return;
        }
        Line(depth, name + " = <");
        for (size_t at = 0; at < bytes.size(); at += kHexBytesPerLine)
            Line(depth + 1, ToUtf8(BytesToHex(bytes.subspan(at, std::min(kHexBytesPerLine, bytes.size() - at)))));
        Line(depth, ">");
    }

    void Line(int depth, const std::string& text) {
        m_out.append(static_cast<size_t>(depth) * 4, ' ');
        m_out += text;
        m_out += '\n';
    }

    const TComponent& m_root;
    std::map<const TComponent*, std::vector<const TComponent*>> m_children;
    std::string m_out;
    int m_written = 0;
};

}  // namespace

std::string WriteLayout(const TComponent& root) { return Writer(root).Run(); }
