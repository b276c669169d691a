#include "vandrel/platform/FormStorage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <sstream>
#include <string_view>

#include "vandrel/platform/Component.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {

namespace {

// Deeper trees are refused rather than risking the stack on a hostile form.
constexpr int kMaxDepth = 256;


bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Reads an identifier at the front of s; empty when there is none.
std::string_view TakeIdent(std::string_view& s) {
  if (s.empty() || !IsIdentStart(s.front())) return {};
  size_t n = 1;
  while (n < s.size() && IsIdentChar(s[n])) ++n;
  std::string_view id = s.substr(0, n);
  s.remove_prefix(n);
  return id;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

// A short, printable excerpt of offending text for messages.
std::string Excerpt(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 40)) {
    auto u = static_cast<unsigned char>(c);
    out += (u < 0x20 || u == 0x7F) ? '?' : c;
  }
  if (s.size() > 40) out += "...";
  return out;
}

// The reason a form is refused, with its line; turned into EParserError with
// the source's name at the public entry points.
struct TFormFault {
  int Line;
  std::string Reason;
};

[[noreturn]] void Fail(int Line, std::string Reason) {
  throw TFormFault{Line, std::move(Reason)};
}

// ---------------------------------------------------------------------------
// The parsed form.

struct TObjectNode;

struct TPropNode {
  int Line = 0;
  std::string Name;
  std::string Text;
  const TPropInfo* Info = nullptr;
  TPropValue Value;
  // Component references: the path (empty for nil) and the node it names.
  std::vector<std::string> Path;
  const TObjectNode* Target = nullptr;
};

struct TObjectNode {
  int Line = 0;
  std::string Name;
  std::string ClassName;
  const TClassInfo* Class = nullptr;
  std::vector<TPropNode> Props;
  std::vector<std::unique_ptr<TObjectNode>> Children;
  TComponent* Instance = nullptr;
};

std::unique_ptr<TObjectNode> Parse(const std::string& Text) {
  std::unique_ptr<TObjectNode> root;
  std::vector<TObjectNode*> open;
  bool finished = false;
  int line = 0;
  size_t pos = 0;
  while (pos < Text.size()) {
    size_t eol = Text.find('\n', pos);
    if (eol == std::string::npos) eol = Text.size();
    std::string_view s = Trim(std::string_view(Text).substr(pos, eol - pos));
    pos = eol + 1;
    ++line;
    if (s.empty()) continue;
    if (finished) Fail(line, "Text after the end of the form: '" + Excerpt(s) + "'");

    std::string_view rest = s;
    std::string_view word = TakeIdent(rest);
    if (SameText(word, "object") && (rest.empty() || IsBlank(rest.front()))) {
      SkipBlanks(rest);
      std::string_view first = TakeIdent(rest);
      if (first.empty()) Fail(line, "Expected a component name or class after 'object'");
      SkipBlanks(rest);
      auto node = std::make_unique<TObjectNode>();
      node->Line = line;
      if (!rest.empty() && rest.front() == ':') {
        rest.remove_prefix(1);
        SkipBlanks(rest);
        std::string_view cls = TakeIdent(rest);
        if (cls.empty()) Fail(line, "Expected a class name after ':'");
        node->Name = first;
        node->ClassName = cls;
      } else {
        node->ClassName = first;
      }
      if (!Trim(rest).empty())
        Fail(line, "Unexpected text after the object's class: '" + Excerpt(rest) + "'");
      if (static_cast<int>(open.size()) >= kMaxDepth)
        Fail(line, "Components are nested more than " + std::to_string(kMaxDepth) + " deep");
      TObjectNode* raw = node.get();
      if (open.empty()) {
        root = std::move(node);
      } else {
        open.back()->Children.push_back(std::move(node));
      }
      open.push_back(raw);
    } else if (SameText(word, "end") && Trim(rest).empty()) {
      if (open.empty()) Fail(line, "'end' without an open object");
      open.pop_back();
      if (open.empty()) finished = true;
    } else if (!word.empty()) {
      if (open.empty()) Fail(line, "Expected 'object', found '" + Excerpt(s) + "'");
      SkipBlanks(rest);
      if (rest.empty() || rest.front() != '=')
        Fail(line, "Expected '=' after property name " + std::string(word));
      rest.remove_prefix(1);
      rest = Trim(rest);
      if (rest.empty()) Fail(line, "Missing value of property " + std::string(word));
      TPropNode p;
      p.Line = line;
      p.Name = word;
      p.Text = rest;
      open.back()->Props.push_back(std::move(p));
    } else {
      Fail(line, "Expected 'object', 'end' or a property, found '" + Excerpt(s) + "'");
    }
  }
  if (!root) Fail(std::max(line, 1), "The form holds no object");
  if (!finished) {
    const TObjectNode* n = open.back();
    Fail(std::max(line, 1),
         "Missing 'end' of the object opened on line " + std::to_string(n->Line));
  }
  return root;
}

// ---------------------------------------------------------------------------
// Values.

std::optional<std::string> ParseString(std::string_view s) {
  std::string out;
  if (s.empty()) return std::nullopt;
  while (!s.empty()) {
    if (s.front() == '\'') {
      s.remove_prefix(1);
      for (;;) {
        if (s.empty()) return std::nullopt;  // unterminated
        char c = s.front();
        s.remove_prefix(1);
        if (c == '\'') {
          if (!s.empty() && s.front() == '\'') {
            out += '\'';
            s.remove_prefix(1);
            continue;
          }
          break;
        }
        out += c;
      }
    } else if (s.front() == '#') {
      s.remove_prefix(1);
      int code = 0;
      auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), code);
      if (ec != std::errc() || ptr == s.data() || code < 0 || code > 255) return std::nullopt;
      out += static_cast<char>(code);
      s.remove_prefix(static_cast<size_t>(ptr - s.data()));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string QuoteString(const std::string& v) {
  if (v.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (char c : v) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(u);
    } else {
      if (!quoted) out += '\'';
      quoted = true;
      out += c;
      if (c == '\'') out += '\'';
    }
  }
  if (quoted) out += '\'';
  return out;
}

std::string FormatFloat(float v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, ptr);
}

std::optional<float> ParseFloat(std::string_view s) {
  if (SameText(s, "NaN")) return std::nanf("");
  if (SameText(s, "Inf") || SameText(s, "+Inf")) return HUGE_VALF;
  if (SameText(s, "-Inf")) return -HUGE_VALF;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  float v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  if (std::isnan(v) || std::isinf(v)) return std::nullopt;  // spelled out above
  return v;
}

std::optional<int32_t> ParseInteger(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  int64_t v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

std::optional<std::vector<std::string>> ParsePath(std::string_view s) {
  std::vector<std::string> path;
  if (SameText(s, "nil")) return path;
  for (;;) {
    std::string_view id = TakeIdent(s);
    if (id.empty()) return std::nullopt;
    path.emplace_back(id);
    if (s.empty()) return path;
    if (s.front() != '.') return std::nullopt;
    s.remove_prefix(1);
  }
}

const char* KindName(TTypeKind k) {
  switch (k) {
    case tkInteger:
      return "Integer";
    case tkFloat:
      return "Single";
    case tkBool:
      return "Boolean";
    case tkString:
      return "string";
    case tkEnumeration:
      return "enumeration";
    case tkClass:
      return "component reference";
  }
  return "value";
}

void ConvertValue(TPropNode& p) {
  const TPropInfo& info = *p.Info;
  auto bad = [&]() {
    Fail(p.Line, "Invalid " + std::string(KindName(info.Kind)) + " value '" + Excerpt(p.Text) +
                     "' for property " + info.Name);
  };
  switch (info.Kind) {
    case tkInteger: {
      auto v = ParseInteger(p.Text);
      if (!v) bad();
      p.Value = *v;
      break;
    }
    case tkFloat: {
      auto v = ParseFloat(p.Text);
      if (!v) bad();
      p.Value = *v;
      break;
    }
    case tkBool:
      if (SameText(p.Text, "True"))
        p.Value = true;
      else if (SameText(p.Text, "False"))
        p.Value = false;
      else
        bad();
      break;
    case tkString: {
      auto v = ParseString(p.Text);
      if (!v) bad();
      p.Value = std::move(*v);
      break;
    }
    case tkEnumeration: {
      const auto& names = info.EnumNames;
      for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], p.Text)) {
          p.Value = static_cast<int32_t>(i);
          return;
        }
      auto v = ParseInteger(p.Text);
      if (!v || (!names.empty() && (*v < 0 || *v >= static_cast<int32_t>(names.size())))) bad();
      p.Value = *v;
      break;
    }
    case tkClass: {
      auto path = ParsePath(p.Text);
      if (!path) bad();
      p.Path = std::move(*path);
      p.Value = static_cast<TComponent*>(nullptr);
      break;
    }
  }
}

// ---------------------------------------------------------------------------
// Checking the parsed form against the registered classes.

void Check(TObjectNode& n, const TClassInfo* RootClass) {
  n.Class = RootClass != nullptr ? RootClass : GetClass(n.ClassName);
  if (n.Class == nullptr) Fail(n.Line, "Class " + n.ClassName + " not found");
  if (RootClass != nullptr && !SameText(RootClass->Name, n.ClassName))
    Fail(n.Line, "The form holds a " + n.ClassName + ", not a " + RootClass->Name);
  for (size_t i = 0; i < n.Props.size(); ++i) {
    TPropNode& p = n.Props[i];
    p.Info = n.Class->FindProperty(p.Name);
    if (p.Info == nullptr)
      Fail(p.Line, "Property " + p.Name + " does not exist in " + n.Class->Name);
    if (p.Info->ReadOnly()) Fail(p.Line, "Property " + p.Info->Name + " is read-only");
    for (size_t j = 0; j < i; ++j)
      if (n.Props[j].Info == p.Info) Fail(p.Line, "Property " + p.Info->Name + " is given twice");
    ConvertValue(p);
  }
  for (size_t i = 0; i < n.Children.size(); ++i) {
    const std::string& name = n.Children[i]->Name;
    for (size_t j = 0; !name.empty() && j < i; ++j)
      if (SameText(n.Children[j]->Name, name))
        Fail(n.Children[i]->Line, "A component named " + name + " already exists");
    Check(*n.Children[i], nullptr);
  }
}

const TObjectNode* FindNode(const TObjectNode& Root, const std::vector<std::string>& Path) {
  const TObjectNode* n = &Root;
  for (const std::string& name : Path) {
    const TObjectNode* next = nullptr;
    for (const auto& c : n->Children)
      if (SameText(c->Name, name)) next = c.get();
    if (next == nullptr) {
      n = nullptr;
      break;
    }
    n = next;
  }
  if (n == nullptr && Path.size() == 1 && SameText(Root.Name, Path[0])) n = &Root;
  return n;
}

void ResolveReferences(TObjectNode& n, const TObjectNode& Root) {
  for (TPropNode& p : n.Props) {
    if (p.Info->Kind != tkClass || p.Path.empty()) continue;
    p.Target = FindNode(Root, p.Path);
    if (p.Target == nullptr)
      Fail(p.Line, "Component " + p.Text + " not found for property " + p.Info->Name);
    if (p.Info->RefClass != nullptr && !p.Target->Class->InheritsFrom(p.Info->RefClass()))
      Fail(p.Line, p.Text + " is a " + p.Target->Class->Name + "; property " + p.Info->Name +
                       " needs a " + p.Info->RefClass().Name);
  }
  for (auto& c : n.Children) ResolveReferences(*c, Root);
}

// ---------------------------------------------------------------------------
// Building the components.

// Runs Action; a failure other than a form fault becomes one at Line.
template <class F>
auto Guard(int Line, const std::string& What, F&& Action) -> decltype(Action()) {
  try {
    return Action();
  } catch (const TFormFault&) {
    throw;
  } catch (const std::exception& e) {
    Fail(Line, What + ": " + e.what());
  }
}

class TBuilder {
 public:
  // Creates (or, for Existing, fills) the component of n and its subtree.
  // Top: Owner was not created here, so deleting c is how to undo it.
  void Build(TObjectNode& n, TComponent* Owner, TComponent* Existing, bool Top) {
    TComponent* c = Existing;
    if (c == nullptr) {
      c = Guard(n.Line, "Cannot create " + n.Class->Name, [&] { return n.Class->Factory(Owner); });
      if (c == nullptr) Fail(n.Line, "Cannot create " + n.Class->Name);
      if (Top) Tops.push_back(c);
    }
    n.Instance = c;
    Order.push_back(c);
    Guard(n.Line, "Invalid component name", [&] {
      c->SetName(n.Name);
      return 0;
    });
    for (TPropNode& p : n.Props) {
      if (p.Info->Kind == tkClass) {
        Deferred.push_back(&p);
        Targets.push_back(c);
        continue;
      }
      Guard(p.Line, "Invalid value for property " + p.Info->Name, [&] {
        p.Info->Set(*c, p.Value);
        return 0;
      });
    }
    for (auto& child : n.Children) Build(*child, c, nullptr, Existing != nullptr);
  }

  void SetReferences() {
    for (size_t i = 0; i < Deferred.size(); ++i) {
      TPropNode& p = *Deferred[i];
      TComponent* target = p.Target != nullptr ? p.Target->Instance : nullptr;
      Guard(p.Line, "Invalid value for property " + p.Info->Name, [&] {
        p.Info->Set(*Targets[i], TPropValue(target));
        return 0;
      });
    }
  }

  std::vector<TComponent*> Order;  // every component the form names, in creation order
  std::vector<TComponent*> Tops;   // created components whose owner is not created here
  std::vector<TPropNode*> Deferred;
  std::vector<TComponent*> Targets;
};

// Builds the tree of Root (a parsed, checked form); on failure destroys what
// it created and rethrows.
TComponent* BuildForm(TObjectNode& Root, TComponent* AOwner, TComponent* Existing) {
  TBuilder b;
  try {
    b.Build(Root, AOwner, Existing, true);
    b.SetReferences();
    for (TComponent* c : b.Order) {
      Guard(Root.Line, "Loading " + c->ClassName() + " failed", [&] {
        c->Loaded();
        return 0;
      });
    }
  } catch (...) {
    // Deleting a created component destroys what it owns; the top ones are
    // those whose owner the form did not create.
    for (auto it = b.Tops.rbegin(); it != b.Tops.rend(); ++it) delete *it;
    throw;
  }
  return Existing != nullptr ? Existing : Root.Instance;
}

std::string LinePrefix(const std::string& Source, int Line) {
  return (Source.empty() ? "Line " : Source + ", line ") + std::to_string(Line) + ": ";
}

TComponent* ReadForm(const std::string& Text, TComponent* AOwner, TComponent* Existing,
                     const std::string& Source) {
  try {
    std::unique_ptr<TObjectNode> root = Parse(Text);
    Check(*root, Existing != nullptr ? &Existing->ClassInfo() : nullptr);
    ResolveReferences(*root, *root);
    return BuildForm(*root, AOwner, Existing);
  } catch (const TFormFault& f) {
    throw EParserError(LinePrefix(Source, f.Line) + f.Reason, f.Line);
  }
}

// ---------------------------------------------------------------------------
// Writing.

std::string ReferencePath(const TComponent* Target, const TComponent& Root, const TPropInfo& Prop,
                          const TComponent& Holder) {
  if (Target == nullptr) return "nil";
  auto fail = [&](const std::string& why) {
    throw EWriteError("Cannot store property " + Prop.Name + " of " +
                      (Holder.Name().empty() ? Holder.ClassName() : Holder.Name()) + ": " + why);
  };
  if (Target == &Root) {
    if (Root.Name().empty()) fail("the referenced component has no name");
    return Root.Name();
  }
  std::vector<const TComponent*> chain;
  const TComponent* c = Target;
  while (c != nullptr && c != &Root) {
    chain.push_back(c);
    c = c->Owner();
  }
  if (c == nullptr) fail("the referenced component is not part of the form");
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if ((*it)->Name().empty()) fail("the referenced component has no name");
    if (!path.empty()) path += '.';
    path += (*it)->Name();
  }
  return path;
}

std::string FormatValue(const TPropInfo& Prop, const TPropValue& V, const TComponent& Root,
                        const TComponent& Holder) {
  switch (Prop.Kind) {
    case tkInteger:
      return std::to_string(std::get<int32_t>(V));
    case tkFloat:
      return FormatFloat(std::get<float>(V));
    case tkBool:
      return std::get<bool>(V) ? "True" : "False";
    case tkString:
      return QuoteString(std::get<std::string>(V));
    case tkEnumeration: {
      int32_t o = std::get<int32_t>(V);
      if (o >= 0 && o < static_cast<int32_t>(Prop.EnumNames.size()))
        return Prop.EnumNames[static_cast<size_t>(o)];
      return std::to_string(o);
    }
    case tkClass:
      return ReferencePath(std::get<TComponent*>(V), Root, Prop, Holder);
  }
  return {};
}

void WriteObject(std::string& Out, const TComponent& C, const TComponent& Root, int Depth) {
  if (Depth >= kMaxDepth)
    throw EWriteError("Components are nested more than " + std::to_string(kMaxDepth) + " deep");
  const std::string indent(static_cast<size_t>(Depth) * 2, ' ');
  Out += indent + "object " + (C.Name().empty() ? C.ClassName() : C.Name() + ": " + C.ClassName()) +
         "\n";
  for (const TPropInfo* p : C.ClassInfo().Properties()) {
    if (!p->IsStored(C)) continue;
    Out += indent + "  " + p->Name + " = " + FormatValue(*p, p->Get(C), Root, C) + "\n";
  }
  for (int i = 0; i < C.ComponentCount(); ++i) WriteObject(Out, *C.Components(i), Root, Depth + 1);
  Out += indent + "end\n";
}

}  // namespace

std::string ComponentToString(const TComponent& Root) {
  std::string out;
  WriteObject(out, Root, Root, 0);
  return out;
}

void WriteComponent(std::ostream& Stream, const TComponent& Root) {
  const std::string text = ComponentToString(Root);
  Stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteComponentFile(const std::string& FileName, const TComponent& Root) {
  const std::string text = ComponentToString(Root);
  std::ofstream f(FileName, std::ios::binary | std::ios::trunc);
  if (!f) throw EInOutError("Cannot create file \"" + FileName + "\"");
  f.write(text.data(), static_cast<std::streamsize>(text.size()));
  f.close();
  if (!f) throw EInOutError("Cannot write file \"" + FileName + "\"");
}

TComponent* StringToComponent(const std::string& Text, TComponent* AOwner) {
  return ReadForm(Text, AOwner, nullptr, "");
}

TComponent* ReadComponent(std::istream& Stream, TComponent* AOwner) {
  std::string text((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
  return ReadForm(text, AOwner, nullptr, "");
}

TComponent* ReadComponentFile(const std::string& FileName, TComponent* AOwner) {
  std::ifstream f(FileName, std::ios::binary);
  if (!f) throw EInOutError("Cannot open file \"" + FileName + "\"");
  std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) throw EInOutError("Cannot read file \"" + FileName + "\"");
  return ReadForm(text, AOwner, nullptr, FileName);
}

void ReadRootComponent(const std::string& Text, TComponent& Root) {
  ReadForm(Text, nullptr, &Root, "");
}

}  // namespace vandrel
