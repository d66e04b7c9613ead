#include "framework/layout/LayoutReader.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Collection.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"
#include "framework/core/Strings.h"

#include <algorithm>
#include <vector>

namespace {

// Deeper nesting than any form has; the bound keeps hostile text off the stack.
constexpr int kMaxDepth = 64;

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

class Reader {
public:
    Reader(TComponent& root, std::string_view utf8) : m_parser(utf8), m_root(root) {}

    void Run() {
        try {
            ReadRoot();
            ResolveReferences();
        } catch (...) {
            Undo();
            throw;
        }
        for (TComponent* c : m_loaded) c->Loaded();
        for (TComponent* c : m_loaded) c->SetLoading(false);
    }

private:
    struct Fixup {
        TObject* object;
        const PropInfo* info;
        std::u16string name;
        int line;
    };

    void ReadRoot() {
        std::u16string name;
        if (m_parser.Peek().type == LayoutToken::Ident) name = m_parser.Take().text;
        m_parser.Expect(LayoutToken::Colon, u"\":\" after the form's name");
        const auto cls = m_parser.Expect(LayoutToken::Ident, u"the form's class name");
        bool fits = false;
        for (const TClass* c = &m_root.ClassType(); c && !fits; c = c->parent) fits = SameText(c->name, cls.text);
        if (!fits)
            throw ELayoutError(cls.line, u"the layout is for a " + cls.text + u", not a " +
                                             std::u16string(m_root.ClassName()));
        m_parser.Expect(LayoutToken::OpenBrace, u"\"{\"");
        m_root.SetLoading(true);
        m_loaded.push_back(&m_root);
        if (!name.empty()) m_root.SetName(name);
        ReadBody(m_root, 1);
        if (m_parser.Peek().type != LayoutToken::End) m_parser.Fail(u"unexpected text after the end of the form");
    }

    void ReadBody(TComponent& container, int depth) {
        for (;;) {
            const auto& next = m_parser.Peek();
            if (next.type == LayoutToken::CloseBrace) {
                m_parser.Take();
                return;
            }
            if (next.type == LayoutToken::End) m_parser.Fail(u"the layout ends before \"}\" closes " + Title(container));
            if (next.type == LayoutToken::Colon) {
                m_parser.Take();
                ReadEntry(container, {}, depth);
                continue;
            }
            auto first = m_parser.Expect(LayoutToken::Ident, u"a property or an entry");
            if (m_parser.Accept(LayoutToken::Colon)) ReadEntry(container, first, depth);
            else ReadProperty(container, first);
        }
    }

    void ReadEntry(TComponent& container, const LayoutParser::Token& name, int depth) {
        const auto cls = m_parser.Expect(LayoutToken::Ident, u"a class name");
        m_parser.Expect(LayoutToken::OpenBrace, u"\"{\"");
        if (depth >= kMaxDepth) throw ELayoutError(cls.line, u"entries nest too deeply");
        const int line = name.text.empty() ? cls.line : name.line;

        TComponent* component = name.text.empty() ? nullptr : m_root.FindComponent(name.text);
        if (component) {
            if (std::find(m_loaded.begin(), m_loaded.end(), component) != m_loaded.end())
                throw ELayoutError(line, u"a component named " + Quoted(name.text) + u" is already in the layout");
            if (!SameText(component->ClassName(), cls.text))
                throw ELayoutError(line, Quoted(name.text) + u" is a " + std::u16string(component->ClassName()) +
                                             u", not a " + cls.text);
            component->SetLoading(true);
        } else {
            const RegisteredClass* registered = FindComponentClass(cls.text);
            if (!registered) throw ELayoutError(cls.line, u"unknown class " + Quoted(cls.text));
            Guarded(line, [&] {
                auto made = registered->make();
                made->SetName(name.text);
                made->SetLoading(true);
                component = &m_root.InsertComponent(std::move(made));
                m_created.push_back(component);
            });
        }
        m_loaded.push_back(component);
        Guarded(line, [&] { component->SetParentComponent(&container); });
        ReadBody(*component, depth + 1);
    }

    // Path "=" value, the path's first name already read.
    void ReadProperty(TObject& object, const LayoutParser::Token& first) {
        const int line = first.line;
        std::u16string path = first.text;
        TObject* target = &object;
        const PropInfo* info = FindPropInfo(object.ClassType(), first.text);
        while (m_parser.Peek().type == LayoutToken::Dot) {
            m_parser.Take();
            if (!info) break;
            if (info->kind != PropKind::Object || info->reference)
                throw ELayoutError(line, path + u" is not an object with properties");
            TObject* inner = nullptr;
            Guarded(line, [&] { inner = info->getObject(*target); });
            if (!inner) throw ELayoutError(line, path + u" holds no object");
            const auto segment = m_parser.Expect(LayoutToken::Ident, u"a property name after \".\"");
            path += u"." + segment.text;
            target = inner;
            info = FindPropInfo(target->ClassType(), segment.text);
        }
        if (!info) throw ELayoutError(line, u"unknown property " + Quoted(path) + u" of " + Title(object));
        m_parser.Expect(LayoutToken::Equals, u"\"=\" after " + path);
        if (info->IsReadOnly()) throw ELayoutError(line, path + u" is read-only");
        ReadValue(*target, *info, path, line);
    }

    void ReadValue(TObject& object, const PropInfo& info, const std::u16string& path, int line) {
        switch (info.kind) {
        case PropKind::Integer: {
            auto token = m_parser.Take();
            if (token.type == LayoutToken::Integer)
                Guarded(line, path, [&] { info.setOrdinal(object, token.integer); });
            else if (token.type == LayoutToken::Ident)
                Guarded(line, path, [&] { info.setOrdinal(object, OrdinalFromIdent(info, token.text)); });
            else
                throw ELayoutError(token.line, u"expected a number for " + path + u", found " + LayoutParser::Describe(token));
            return;
        }
        case PropKind::Boolean:
        case PropKind::Enumeration: {
            auto token = m_parser.Expect(LayoutToken::Ident, u"an identifier for " + path);
            Guarded(line, path, [&] { info.setOrdinal(object, OrdinalFromIdent(info, token.text)); });
            return;
        }
        case PropKind::Set: {
            m_parser.Expect(LayoutToken::OpenBracket, u"\"[\" to open the set " + path);
            int64_t bits = 0;
            while (!m_parser.Accept(LayoutToken::CloseBracket)) {
                if (m_parser.Accept(LayoutToken::Comma)) continue;
                auto member = m_parser.Expect(LayoutToken::Ident, u"a member of " + path + u" or \"]\"");
                const size_t members = std::min<size_t>(info.idents.size(), 32);
                size_t index = 0;
                while (index < members && !SameText(info.idents[index], member.text)) ++index;
                if (index == members)
                    throw ELayoutError(member.line, Quoted(member.text) + u" is not a member of " + path);
                bits |= int64_t{1} << index;
            }
            Guarded(line, path, [&] { info.setOrdinal(object, bits); });
            return;
        }
        case PropKind::String: {
            auto token = m_parser.Expect(LayoutToken::String, u"a string for " + path);
            Guarded(line, path, [&] { info.setString(object, token.text); });
            return;
        }
        case PropKind::Event: {
            auto handler = m_parser.Expect(LayoutToken::Ident, u"a handler name for " + path);
            const MethodInfo* method = FindMethodInfo(m_root.ClassType(), handler.text);
            if (!method)
                throw ELayoutError(handler.line, std::u16string(m_root.ClassName()) + u" has no handler " +
                                                     Quoted(handler.text) + u" for " + path);
            bool fits = false;
            Guarded(line, path, [&] { fits = info.setEvent(object, method->bind(m_root)); });
            if (!fits) throw ELayoutError(handler.line, u"handler " + Quoted(handler.text) + u" does not fit " + path);
            return;
        }
        case PropKind::Binary: {
            auto token = m_parser.Expect(LayoutToken::Binary, u"binary data <...> for " + path);
            Guarded(line, path, [&] {
                TMemoryStream stream(std::move(token.bytes));
                info.readBinary(object, stream);
            });
            return;
        }
        case PropKind::Object:
            if (info.reference) {
                auto name = m_parser.Expect(LayoutToken::Ident, u"a component name for " + path);
                m_fixups.push_back({&object, &info, name.text, name.line});
                return;
            }
            return ReadOwnedObject(object, info, path, line);
        }
    }

    void ReadOwnedObject(TObject& object, const PropInfo& info, const std::u16string& path, int line) {
        TObject* held = nullptr;
        Guarded(line, path, [&] { held = info.getObject(object); });
        if (As<TStringList>(held)) {
            m_parser.Expect(LayoutToken::OpenBracket, u"\"[\" to open the string list " + path);
            TStringList lines;
            while (!m_parser.Accept(LayoutToken::CloseBracket)) {
                if (m_parser.Accept(LayoutToken::Comma)) continue;
                lines.Add(m_parser.Expect(LayoutToken::String, u"a string in " + path + u" or \"]\"").text);
            }
            Guarded(line, path, [&] { info.setObject(object, &lines); });
            return;
        }
        if (auto* collection = As<TCollection>(held)) {
            m_parser.Expect(LayoutToken::OpenBracket, u"\"[\" to open the collection " + path);
            // The owner hears of the new items once, when all are read.
            collection->BeginUpdate();
            try {
                collection->Clear();
                while (!m_parser.Accept(LayoutToken::CloseBracket)) {
                    if (m_parser.Accept(LayoutToken::Comma)) continue;
                    m_parser.Expect(LayoutToken::OpenBrace, u"\"{\" to open an item of " + path + u" or \"]\"");
                    TCollectionItem& item = collection->Add();
                    while (!m_parser.Accept(LayoutToken::CloseBrace)) {
                        if (m_parser.Peek().type == LayoutToken::End) m_parser.Fail(u"the layout ends inside " + path);
                        ReadProperty(item, m_parser.Expect(LayoutToken::Ident, u"a property of an item of " + path));
                    }
                }
            } catch (...) {
                try {
                    collection->EndUpdate();
                } catch (...) {  // the read error is the one to throw; this one is only logged
                    LogCurrentException(u"Ending a collection's update after a read error failed");
                }
                throw;
            }
            Guarded(line, path, [&] { collection->EndUpdate(); });
            return;
        }
        throw ELayoutError(line, path + u" is an object: set its properties (" + path + u".Name = ...)");
    }

    void ResolveReferences() {
        std::vector<TComponent*> targets;
        for (const auto& fix : m_fixups) {
            TComponent* found = SameText(m_root.Name(), fix.name) ? &m_root : m_root.FindComponent(fix.name);
            if (!found) throw ELayoutError(fix.line, u"no component named " + Quoted(fix.name));
            targets.push_back(found);
        }
        for (size_t i = 0; i < m_fixups.size(); ++i) {
            const auto& fix = m_fixups[i];
            Guarded(fix.line, fix.info->name, [&] { fix.info->setObject(*fix.object, targets[i]); });
            m_applied = i + 1;
        }
    }

    void Undo() noexcept {
        // No reference may outlive the components destroyed below.
        for (size_t i = 0; i < m_applied; ++i) {
            try {
                m_fixups[i].info->setObject(*m_fixups[i].object, nullptr);
            } catch (...) {  // the undo goes on: the error that started it is the one to throw
                LogCurrentException(u"A reference could not be cleared while undoing a layout");
            }
        }
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            for (int i = 0; i < m_root.ComponentCount(); ++i) {
                if (m_root.Components(i) == *it) {
                    m_root.DestroyComponent(**it);
                    break;
                }
            }
        }
        for (TComponent* c : m_loaded)
            if (std::find(m_created.begin(), m_created.end(), c) == m_created.end()) c->SetLoading(false);
    }

    static std::u16string Title(const TObject& object) {
        const auto* c = As<TComponent>(&object);
        if (c && !c->Name().empty()) return c->Name();
        return std::u16string(object.ClassName());
    }

    // Runs `action`, turning what a component throws into an error at `line`.
    template <class Action>
    static void Guarded(int line, Action&& action) {
        Guarded(line, {}, std::forward<Action>(action));
    }
    template <class Action>
    static void Guarded(int line, std::u16string_view path, Action&& action) {
        const std::u16string prefix = path.empty() ? std::u16string() : std::u16string(path) + u": ";
        try {
            action();
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            throw ELayoutError(line, prefix + e.Message());
        } catch (const std::exception& e) {
            throw ELayoutError(line, prefix + FromUtf8(e.what()));
        }
    }

    LayoutParser m_parser;
    TComponent& m_root;
    std::vector<TComponent*> m_created;  // made by this read
    std::vector<TComponent*> m_loaded;   // every component read, the root first
    std::vector<Fixup> m_fixups;
    size_t m_applied = 0;  // fix-ups already set
};

}  // namespace

void ReadLayout(TComponent& root, std::string_view utf8) {
    Reader(root, utf8).Run();
}
