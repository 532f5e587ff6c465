#include "report/expr/expression.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include <QLocale>

#include "report/io/codepage.h"
#include "report/expr/expression_p.h"
#include "report/model/reportlimits.h"

namespace report {
namespace {

constexpr BuiltinInfo kBuiltins[] = {
    {u"ABS", 1, Builtin::Abs},     {u"INT", 1, Builtin::Int},         {u"SGN", 1, Builtin::Sgn},
    {u"MAX", 2, Builtin::Max},     {u"MIN", 2, Builtin::Min},         {u"IIF", 3, Builtin::Iif},
    {u"LEFT", 2, Builtin::Left},   {u"RIGHT", 2, Builtin::Right},     {u"SUBSTR", 3, Builtin::Substr},
    {u"UPPER", 1, Builtin::Upper}, {u"LOWER", 1, Builtin::Lower},     {u"LTRIM", 1, Builtin::LTrim},
    {u"RTRIM", 1, Builtin::RTrim}, {u"ALLTRIM", 1, Builtin::AllTrim}, {u"FORMAT", 2, Builtin::Format},
    {u"SIN", 1, Builtin::Sin},     {u"COS", 1, Builtin::Cos},         {u"TAN", 1, Builtin::Tan},
    {u"COTG", 1, Builtin::Cotg},   {u"EXP", 1, Builtin::Exp},         {u"LOG", 1, Builtin::Log},
    {u"ASIN", 1, Builtin::Asin},   {u"ACOS", 1, Builtin::Acos},       {u"ATAN", 1, Builtin::Atan},
    {u"ACOTG", 1, Builtin::Acotg}, {u"CHR", 1, Builtin::Chr},         {u"ORD", 1, Builtin::Ord},
};

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsNameStart(QChar c) { return c.isLetter(); }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

int Precedence(ExprOp op) {
  switch (op) {
    case ExprOp::Or: return 1;
    case ExprOp::And: return 2;
    case ExprOp::Not: return 3;
    case ExprOp::Eq: case ExprOp::Ne: case ExprOp::Lt: case ExprOp::Gt:
    case ExprOp::Le: case ExprOp::Ge: case ExprOp::In: return 4;
    case ExprOp::Add: case ExprOp::Sub: return 5;
    case ExprOp::Mul: case ExprOp::Div: return 6;
    case ExprOp::Pow: return 7;
    case ExprOp::Neg: case ExprOp::Plus: return 8;
  }
  return 0;
}
bool IsUnary(ExprOp op) { return op == ExprOp::Neg || op == ExprOp::Plus || op == ExprOp::Not; }
bool IsRightAssociative(ExprOp op) { return op == ExprOp::Pow; }

// Turns the text into a tree with two bounded stacks (shunting yard).
class Compiler {
 public:
  explicit Compiler(const QString& text) : s_(text), n_(text.size()) {}

  bool run(ExprProgram& program, ExpressionError& error);

 private:
  struct Pending {
    enum Type { Operator, Paren, Call } type;
    ExprOp op = ExprOp::Add;
    const BuiltinInfo* builtin = nullptr;
    int commas = 0;
    int position = 0;
  };

  bool fail(const QString& text, int position) {
    error_ = {text, position};
    return false;
  }
  int addNode(ExprNode node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size() - 1);
  }
  bool pushValue(ExprNode node) {
    if (values_.size() >= kExpressionStackSize) return fail(exprmsg::StackOverflow(), node.position);
    values_.push_back(addNode(std::move(node)));
    expectOperand_ = false;
    return true;
  }
  bool pushPending(const Pending& p) {
    if (pending_.size() >= kExpressionStackSize) return fail(exprmsg::StackOverflow(), p.position);
    pending_.push_back(p);
    return true;
  }
  bool notSet(int node) {
    if (nodes_[static_cast<std::size_t>(node)].kind == NodeKind::Set)
      return fail(exprmsg::Syntax(), nodes_[static_cast<std::size_t>(node)].position);
    return true;
  }
  bool reduce();
  bool reduceOperators() {
    while (!pending_.empty() && pending_.back().type == Pending::Operator)
      if (!reduce()) return false;
    return true;
  }

  bool operand(ExprNode node, int position) {
    if (!expectOperand_) return fail(exprmsg::Syntax(), position);
    return pushValue(std::move(node));
  }
  bool binary(ExprOp op, int position);
  bool prefix(ExprOp op, int position) {
    if (!expectOperand_) return fail(exprmsg::Syntax(), position);
    return pushPending({Pending::Operator, op, nullptr, 0, position});
  }
  bool closeParen(int position);
  bool comma(int position);
  bool word(qsizetype& i);
  bool number(qsizetype& i);
  bool textLiteral(qsizetype& i, ExprValue* out, bool inSet);
  bool set(qsizetype& i);
  bool reference(qsizetype& i);

  const QString& s_;
  const qsizetype n_;
  std::vector<ExprNode> nodes_;
  std::vector<int> values_;
  std::vector<Pending> pending_;
  bool expectOperand_ = true;
  int references_ = 0;
  ExpressionError error_;
};

bool Compiler::reduce() {
  const Pending p = pending_.back();
  pending_.pop_back();
  ExprNode node;
  node.position = p.position;
  node.op = p.op;
  if (IsUnary(p.op)) {
    if (values_.empty()) return fail(exprmsg::Syntax(), p.position);
    node.kind = NodeKind::Unary;
    node.args[0] = values_.back();
    node.argc = 1;
    values_.pop_back();
    if (!notSet(node.args[0])) return false;
  } else {
    if (values_.size() < 2) return fail(exprmsg::Syntax(), p.position);
    node.kind = NodeKind::Binary;
    node.args[1] = values_.back();
    values_.pop_back();
    node.args[0] = values_.back();
    values_.pop_back();
    node.argc = 2;
    if (!notSet(node.args[0])) return false;
    if (p.op == ExprOp::In) {
      if (nodes_[static_cast<std::size_t>(node.args[1])].kind != NodeKind::Set)
        return fail(exprmsg::Syntax(), p.position);
    } else if (!notSet(node.args[1])) {
      return false;
    }
  }
  values_.push_back(addNode(std::move(node)));
  return true;
}

bool Compiler::binary(ExprOp op, int position) {
  if (expectOperand_) {
    if (op == ExprOp::Sub) return prefix(ExprOp::Neg, position);
    if (op == ExprOp::Add) return prefix(ExprOp::Plus, position);
    return fail(exprmsg::Syntax(), position);
  }
  while (!pending_.empty() && pending_.back().type == Pending::Operator) {
    const ExprOp top = pending_.back().op;
    const int pt = Precedence(top), po = Precedence(op);
    if (pt > po || (pt == po && !IsRightAssociative(op))) {
      if (!reduce()) return false;
    } else {
      break;
    }
  }
  if (!pushPending({Pending::Operator, op, nullptr, 0, position})) return false;
  expectOperand_ = true;
  return true;
}

bool Compiler::closeParen(int position) {
  const bool anyOpen = std::any_of(pending_.begin(), pending_.end(),
                                   [](const Pending& p) { return p.type != Pending::Operator; });
  if (!anyOpen) return fail(exprmsg::TooFewOpening(), position);
  if (expectOperand_) return fail(exprmsg::Syntax(), position);
  if (!reduceOperators()) return false;
  if (pending_.empty()) return fail(exprmsg::TooFewOpening(), position);
  const Pending p = pending_.back();
  pending_.pop_back();
  if (p.type == Pending::Call) {
    const int argc = p.builtin->arguments;
    if (p.commas < argc - 1) return fail(exprmsg::CommaExpected(), position);
    ExprNode node;
    node.kind = NodeKind::Call;
    node.position = p.position;
    node.builtin = p.builtin->id;
    node.argc = argc;
    for (int a = argc - 1; a >= 0; --a) {
      node.args[static_cast<std::size_t>(a)] = values_.back();
      values_.pop_back();
      if (!notSet(node.args[static_cast<std::size_t>(a)])) return false;
    }
    values_.push_back(addNode(std::move(node)));
  }
  expectOperand_ = false;
  return true;
}

bool Compiler::comma(int position) {
  if (expectOperand_) return fail(exprmsg::Syntax(), position);
  if (!reduceOperators()) return false;
  if (pending_.empty() || pending_.back().type != Pending::Call ||
      pending_.back().commas >= pending_.back().builtin->arguments - 1)
    return fail(exprmsg::TooManyCommas(), position);
  ++pending_.back().commas;
  expectOperand_ = true;
  return true;
}

bool Compiler::word(qsizetype& i) {
  const int position = static_cast<int>(i + 1);
  const qsizetype start = i;
  while (i < n_ && IsNameChar(s_[i])) ++i;
  const QStringView w = QStringView(s_).mid(start, i - start);
  if (w.compare(u"NOT", Qt::CaseInsensitive) == 0) return prefix(ExprOp::Not, position);
  if (w.compare(u"AND", Qt::CaseInsensitive) == 0) return binary(ExprOp::And, position);
  if (w.compare(u"OR", Qt::CaseInsensitive) == 0) return binary(ExprOp::Or, position);
  if (w.compare(u"IN", Qt::CaseInsensitive) == 0) return binary(ExprOp::In, position);
  const BuiltinInfo* b = FindBuiltin(w);
  if (!b) return fail(exprmsg::UnknownIdentifier(), position);
  if (!expectOperand_) return fail(exprmsg::Syntax(), position);
  while (i < n_ && s_[i].isSpace()) ++i;
  if (i >= n_ || s_[i] != u'(') return fail(exprmsg::Syntax(), static_cast<int>(i + 1));
  ++i;
  return pushPending({Pending::Call, ExprOp::Add, b, 0, position});
}

// End of the number literal starting at i, or -1 when it is malformed: digits,
// optionally a point and digits, optionally an exponent; no name character or
// point may follow.
qsizetype ScanNumber(const QString& s, qsizetype i) {
  const qsizetype n = s.size();
  if (i >= n || !IsAsciiDigit(s[i])) return -1;
  while (i < n && IsAsciiDigit(s[i])) ++i;
  if (i < n && s[i] == u'.') {
    ++i;
    if (i >= n || !IsAsciiDigit(s[i])) return -1;
    while (i < n && IsAsciiDigit(s[i])) ++i;
  }
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    if (i >= n || !IsAsciiDigit(s[i])) return -1;
    while (i < n && IsAsciiDigit(s[i])) ++i;
  }
  if (i < n && (IsNameChar(s[i]) || s[i] == u'.')) return -1;
  return i;
}

std::optional<double> NumberValue(QStringView text) {
  bool ok = false;
  const double v = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool Compiler::number(qsizetype& i) {
  const int position = static_cast<int>(i + 1);
  const qsizetype end = ScanNumber(s_, i);
  const std::optional<double> v = end < 0 ? std::nullopt : NumberValue(QStringView(s_).mid(i, end - i));
  if (!v) return fail(exprmsg::BadNumber(), position);
  i = end;
  ExprNode node;
  node.position = position;
  node.constant = ExprValue::number(*v);
  return operand(std::move(node), position);
}

bool Compiler::textLiteral(qsizetype& i, ExprValue* out, bool inSet) {
  const int position = static_cast<int>(i + 1);
  QString text;
  ++i;
  while (i < n_) {
    if (s_[i] == u'\'') {
      if (i + 1 < n_ && s_[i + 1] == u'\'') {
        text.append(u'\'');
        i += 2;
        continue;
      }
      ++i;
      *out = ExprValue::text(text);
      return true;
    }
    text.append(s_[i]);
    ++i;
  }
  return inSet ? false : fail(exprmsg::BadText(), position);
}

bool Compiler::set(qsizetype& i) {
  const int position = static_cast<int>(i + 1);
  ExprNode node;
  node.kind = NodeKind::Set;
  node.position = position;
  ++i;
  auto skip = [&] { while (i < n_ && s_[i].isSpace()) ++i; };
  skip();
  if (i < n_ && s_[i] == u']') {
    ++i;
    return operand(std::move(node), position);
  }
  while (true) {
    skip();
    if (i >= n_) return fail(exprmsg::BadSet(), position);
    if (s_[i] == u'\'') {
      ExprValue v;
      if (!textLiteral(i, &v, true)) return fail(exprmsg::BadSet(), position);
      node.set.append(v);
    } else {
      const qsizetype start = i;
      if (s_[i] == u'-' || s_[i] == u'+') ++i;
      const qsizetype end = ScanNumber(s_, i);
      const std::optional<double> v = end < 0 ? std::nullopt : NumberValue(QStringView(s_).mid(start, end - start));
      if (!v) return fail(exprmsg::BadSet(), position);
      i = end;
      node.set.append(ExprValue::number(*v));
    }
    skip();
    if (i >= n_) return fail(exprmsg::BadSet(), position);
    if (s_[i] == u',') {
      ++i;
      continue;
    }
    if (s_[i] == u']') {
      ++i;
      break;
    }
    return fail(exprmsg::BadSet(), position);
  }
  return operand(std::move(node), position);
}

bool Compiler::reference(qsizetype& i) {
  const int position = static_cast<int>(i + 1);
  const QChar prefix = s_[i];
  ++i;
  ExprNode node;
  node.position = position;
  node.kind = prefix == u'#' ? NodeKind::Column : prefix == u'&' ? NodeKind::Parameter : NodeKind::Function;
  if (i < n_ && IsAsciiDigit(s_[i])) {
    const qsizetype start = i;
    while (i < n_ && IsAsciiDigit(s_[i])) ++i;
    if (i - start > 3 || (i < n_ && IsNameChar(s_[i]))) return fail(exprmsg::BadReference(), position);
    node.number = QStringView(s_).mid(start, i - start).toInt();
    if (node.number < 1 || node.number > 255) return fail(exprmsg::BadReference(), position);
  } else if (i < n_ && IsNameStart(s_[i]) && prefix != u'&') {
    const qsizetype start = i;
    while (i < n_ && IsNameChar(s_[i])) ++i;
    node.name = s_.mid(start, i - start);
  } else {
    return fail(exprmsg::BadReference(), position);
  }
  if (references_ >= kMaxExpressionReferences) return fail(exprmsg::TooManyReferences(), position);
  node.reference = references_++;
  return operand(std::move(node), position);
}

bool Compiler::run(ExprProgram& program, ExpressionError& error) {
  bool ok = true;
  if (n_ > kMaxExpressionLength) {
    ok = fail(exprmsg::Syntax(), kMaxExpressionLength + 1);
  }
  bool anyToken = false;
  qsizetype i = 0;
  while (ok) {
    while (i < n_ && s_[i].isSpace()) ++i;
    if (i >= n_) break;
    anyToken = true;
    const QChar c = s_[i];
    const int position = static_cast<int>(i + 1);
    auto next = [&](QChar d) { return i + 1 < n_ && s_[i + 1] == d; };
    if (IsAsciiDigit(c)) {
      ok = number(i);
    } else if (c == u'\'') {
      ExprNode node;
      node.position = position;
      ok = textLiteral(i, &node.constant, false) && operand(std::move(node), position);
    } else if (c == u'[') {
      ok = set(i);
    } else if (c == u'#' || c == u'&' || c == u'@') {
      ok = reference(i);
    } else if (IsNameStart(c)) {
      ok = word(i);
    } else if (c == u'(') {
      ++i;
      ok = expectOperand_ ? pushPending({Pending::Paren, ExprOp::Add, nullptr, 0, position})
                          : fail(exprmsg::Syntax(), position);
    } else if (c == u')') {
      ++i;
      ok = closeParen(position);
    } else if (c == u',') {
      ++i;
      ok = comma(position);
    } else if (c == u'<' && next(u'>')) {
      i += 2;
      ok = binary(ExprOp::Ne, position);
    } else if (c == u'<' && next(u'=')) {
      i += 2;
      ok = binary(ExprOp::Le, position);
    } else if (c == u'>' && next(u'=')) {
      i += 2;
      ok = binary(ExprOp::Ge, position);
    } else {
      ++i;
      switch (c.unicode()) {
        case u'+': ok = binary(ExprOp::Add, position); break;
        case u'-': ok = binary(ExprOp::Sub, position); break;
        case u'*': ok = binary(ExprOp::Mul, position); break;
        case u'/': ok = binary(ExprOp::Div, position); break;
        case u'^': ok = binary(ExprOp::Pow, position); break;
        case u'<': ok = binary(ExprOp::Lt, position); break;
        case u'>': ok = binary(ExprOp::Gt, position); break;
        case u'=': ok = binary(ExprOp::Eq, position); break;
        default: ok = fail(exprmsg::Syntax(), position); break;
      }
    }
  }
  const int end = static_cast<int>(n_ + 1);
  if (ok && anyToken) {
    if (expectOperand_) ok = fail(exprmsg::Syntax(), end);
    while (ok && !pending_.empty()) {
      if (pending_.back().type != Pending::Operator) ok = fail(exprmsg::MissingClosing(), end);
      else ok = reduce();
    }
    if (ok && values_.size() != 1) ok = fail(exprmsg::Syntax(), end);
    if (ok) ok = notSet(values_.back());
  }
  if (!ok) {
    error = error_;
    return false;
  }
  program.nodes = std::move(nodes_);
  program.root = anyToken ? values_.back() : -1;
  program.references = references_;
  return true;
}

// ---------------------------------------------------------------------------
// Evaluation.

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::trunc(std::clamp(v, -kLimit, kLimit)));
}

class Evaluator {
 public:
  Evaluator(const ExprProgram& p, const ExpressionContext& c) : p_(p), c_(c), slots_(p.references, -1) {}

  bool resolve();
  bool eval(int node, ExprValue& out);
  const ExpressionError& error() const { return error_; }

 private:
  bool fail(const QString& text, int position) {
    error_ = {text, position};
    return false;
  }
  const ExprNode& node(int i) const { return p_.nodes[static_cast<std::size_t>(i)]; }
  bool number(const ExprValue& v, int position, double& out) {
    const std::optional<double> x = v.toNumber();
    if (!x) return fail(exprmsg::Numeric(), position);
    out = *x;
    return true;
  }
  bool finite(double v, int position, ExprValue& out) {
    if (!std::isfinite(v)) return fail(exprmsg::Numeric(), position);
    out = ExprValue::number(v);
    return true;
  }
  // -1, 0 or 1 by the comparison rule.
  int compare(const ExprValue& a, const ExprValue& b) const;
  bool unary(const ExprNode& n, ExprOp op, ExprValue& out);
  bool binary(const ExprNode& n, ExprValue& out);
  bool call(const ExprNode& n, ExprValue& out);

  const ExprProgram& p_;
  const ExpressionContext& c_;
  std::vector<int> slots_;  // resolved index of each reference
  ExpressionError error_;
};

bool Evaluator::resolve() {
  for (const ExprNode& n : p_.nodes) {
    if (n.reference < 0) continue;
    int index = -1;
    switch (n.kind) {
      case NodeKind::Column:
        index = n.name.isEmpty() ? n.number - 1 : c_.columnIndex(n.name);
        if (index >= c_.columnCount()) index = -1;
        break;
      case NodeKind::Parameter:
        index = n.number - 1 < c_.parameterCount() ? n.number - 1 : -1;
        break;
      case NodeKind::Function:
        index = n.name.isEmpty() ? n.number - 1 : c_.functionIndex(n.name);
        if (index >= c_.functionCount()) index = -1;
        break;
      default: break;
    }
    if (index < 0) return fail(exprmsg::UnknownIdentifier(), n.position);
    slots_[static_cast<std::size_t>(n.reference)] = index;
  }
  return true;
}

int Evaluator::compare(const ExprValue& a, const ExprValue& b) const {
  if (!(a.isText() && b.isText())) {
    const std::optional<double> x = a.toNumber(), y = b.toNumber();
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
  }
  const QChar d = c_.decimalSeparator();
  const int r = QString::compare(a.toText(d), b.toText(d), Qt::CaseSensitive);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool Evaluator::eval(int index, ExprValue& out) {
  const ExprNode& n = node(index);
  const std::size_t slot = static_cast<std::size_t>(std::max(n.reference, 0));
  switch (n.kind) {
    case NodeKind::Constant: out = n.constant; return true;
    case NodeKind::Set: return fail(exprmsg::Syntax(), n.position);
    case NodeKind::Column: out = ExprValue::fromDataText(c_.columnText(slots_[slot])); return true;
    case NodeKind::Parameter: out = ExprValue::fromDataText(c_.parameterText(slots_[slot])); return true;
    case NodeKind::Function: out = c_.functionValue(slots_[slot]); return true;
    case NodeKind::Unary: {
      ExprValue a;
      if (!eval(n.args[0], a)) return false;
      if (a.isNone()) {
        out = {};
        return true;
      }
      return unary(n, n.op, a) && (out = a, true);
    }
    case NodeKind::Binary: return binary(n, out);
    case NodeKind::Call: return call(n, out);
  }
  return fail(exprmsg::Syntax(), n.position);
}

bool Evaluator::unary(const ExprNode& n, ExprOp op, ExprValue& a) {
  if (op == ExprOp::Not) {
    const std::optional<bool> b = a.toBool();
    if (!b) return fail(exprmsg::Numeric(), n.position);
    a = ExprValue::boolean(!*b);
    return true;
  }
  double x = 0;
  if (!number(a, n.position, x)) return false;
  a = ExprValue::number(op == ExprOp::Neg ? -x : x);
  return true;
}

bool Evaluator::binary(const ExprNode& n, ExprValue& out) {
  ExprValue a, b;
  if (!eval(n.args[0], a)) return false;
  if (n.op == ExprOp::In) {
    if (a.isNone()) {
      out = {};
      return true;
    }
    bool found = false;
    for (const ExprValue& e : node(n.args[1]).set) found = found || compare(a, e) == 0;
    out = ExprValue::boolean(found);
    return true;
  }
  if (!eval(n.args[1], b)) return false;
  if (a.isNone() || b.isNone()) {
    out = {};
    return true;
  }
  switch (n.op) {
    case ExprOp::Add:
      if (a.isText() || b.isText()) {
        const QChar d = c_.decimalSeparator();
        out = ExprValue::text(a.toText(d) + b.toText(d));
        return true;
      }
      [[fallthrough]];
    case ExprOp::Sub:
    case ExprOp::Mul:
    case ExprOp::Div:
    case ExprOp::Pow: {
      double x = 0, y = 0;
      if (!number(a, n.position, x) || !number(b, n.position, y)) return false;
      double r = 0;
      switch (n.op) {
        case ExprOp::Add: r = x + y; break;
        case ExprOp::Sub: r = x - y; break;
        case ExprOp::Mul: r = x * y; break;
        case ExprOp::Div:
          if (y == 0) return fail(exprmsg::Numeric(), n.position);
          r = x / y;
          break;
        default: r = std::pow(x, y); break;
      }
      return finite(r, n.position, out);
    }
    case ExprOp::Eq: out = ExprValue::boolean(compare(a, b) == 0); return true;
    case ExprOp::Ne: out = ExprValue::boolean(compare(a, b) != 0); return true;
    case ExprOp::Lt: out = ExprValue::boolean(compare(a, b) < 0); return true;
    case ExprOp::Gt: out = ExprValue::boolean(compare(a, b) > 0); return true;
    case ExprOp::Le: out = ExprValue::boolean(compare(a, b) <= 0); return true;
    case ExprOp::Ge: out = ExprValue::boolean(compare(a, b) >= 0); return true;
    case ExprOp::And:
    case ExprOp::Or: {
      const std::optional<bool> x = a.toBool(), y = b.toBool();
      if (!x || !y) return fail(exprmsg::Numeric(), n.position);
      out = ExprValue::boolean(n.op == ExprOp::And ? (*x && *y) : (*x || *y));
      return true;
    }
    default: break;
  }
  return fail(exprmsg::Syntax(), n.position);
}

bool Evaluator::call(const ExprNode& n, ExprValue& out) {
  const int pos = n.position;
  ExprValue a[3];
  if (n.builtin == Builtin::Iif) {
    if (!eval(n.args[0], a[0])) return false;
    if (a[0].isNone()) {
      out = {};
      return true;
    }
    const std::optional<bool> c = a[0].toBool();
    if (!c) return fail(exprmsg::Numeric(), pos);
    return eval(n.args[*c ? 1 : 2], out);
  }
  for (int k = 0; k < n.argc; ++k) {
    if (!eval(n.args[static_cast<std::size_t>(k)], a[k])) return false;
    if (a[k].isNone()) {
      out = {};
      return true;
    }
  }
  const QChar d = c_.decimalSeparator();
  double x = 0, y = 0;
  switch (n.builtin) {
    case Builtin::Max: out = compare(a[0], a[1]) >= 0 ? a[0] : a[1]; return true;
    case Builtin::Min: out = compare(a[0], a[1]) <= 0 ? a[0] : a[1]; return true;
    case Builtin::Upper: out = ExprValue::text(a[0].toText(d).toUpper()); return true;
    case Builtin::Lower: out = ExprValue::text(a[0].toText(d).toLower()); return true;
    case Builtin::AllTrim: out = ExprValue::text(a[0].toText(d).trimmed()); return true;
    case Builtin::LTrim:
    case Builtin::RTrim: {
      const QString t = a[0].toText(d);
      qsizetype from = 0, to = t.size();
      if (n.builtin == Builtin::LTrim)
        while (from < to && t[from].isSpace()) ++from;
      else
        while (to > from && t[to - 1].isSpace()) --to;
      out = ExprValue::text(t.mid(from, to - from));
      return true;
    }
    case Builtin::Left:
    case Builtin::Right: {
      if (!number(a[1], pos, y)) return false;
      const QString t = a[0].toText(d);
      const qsizetype count = std::clamp<qsizetype>(TruncToInt(y), 0, t.size());
      out = ExprValue::text(n.builtin == Builtin::Left ? t.left(count) : t.right(count));
      return true;
    }
    case Builtin::Substr: {
      double len = 0;
      if (!number(a[1], pos, y) || !number(a[2], pos, len)) return false;
      const QString t = a[0].toText(d);
      const qsizetype start = std::clamp<qsizetype>(TruncToInt(y), 1, t.size() + 1) - 1;
      const qsizetype count = std::clamp<qsizetype>(TruncToInt(len), 0, t.size() - start);
      out = ExprValue::text(t.mid(start, count));
      return true;
    }
    case Builtin::Format: {
      if (!number(a[0], pos, x) || !number(a[1], pos, y)) return false;
      QString t = QString::number(x, 'f', std::clamp(TruncToInt(y), 0, kMaxDecimals));
      if (d != u'.') t.replace(u'.', d);
      out = ExprValue::text(t);
      return true;
    }
    case Builtin::Chr: {
      if (!number(a[0], pos, x)) return false;
      if (!(x >= 0 && x < 256)) return fail(exprmsg::Numeric(), pos);
      out = ExprValue::text(QString(Cp1250CharOf(static_cast<unsigned char>(TruncToInt(x)))));
      return true;
    }
    case Builtin::Ord: {
      const QString t = a[0].toText(d);
      const int code = t.isEmpty() ? 0 : Cp1250ByteOf(t[0]);
      out = ExprValue::number(code >= 0 ? code : t[0].unicode());
      return true;
    }
    default: break;
  }
  // One numeric argument.
  if (!number(a[0], pos, x)) return false;
  double r = 0;
  switch (n.builtin) {
    case Builtin::Abs: r = std::fabs(x); break;
    case Builtin::Int: r = std::trunc(x); break;
    case Builtin::Sgn: r = x > 0 ? 1 : (x < 0 ? -1 : 0); break;
    case Builtin::Sin: r = std::sin(x); break;
    case Builtin::Cos: r = std::cos(x); break;
    case Builtin::Tan: r = std::tan(x); break;
    case Builtin::Cotg: {
      const double t = std::tan(x);
      if (t == 0) return fail(exprmsg::Numeric(), pos);
      r = 1 / t;
      break;
    }
    case Builtin::Exp: r = std::exp(x); break;
    case Builtin::Log:
      if (!(x > 0)) return fail(exprmsg::Numeric(), pos);
      r = std::log(x);
      break;
    case Builtin::Asin:
      if (!(x >= -1 && x <= 1)) return fail(exprmsg::Numeric(), pos);
      r = std::asin(x);
      break;
    case Builtin::Acos:
      if (!(x >= -1 && x <= 1)) return fail(exprmsg::Numeric(), pos);
      r = std::acos(x);
      break;
    case Builtin::Atan: r = std::atan(x); break;
    case Builtin::Acotg: r = std::numbers::pi / 2 - std::atan(x); break;
    default: return fail(exprmsg::Syntax(), pos);
  }
  return finite(r, pos, out);
}

}  // namespace

const BuiltinInfo* FindBuiltin(QStringView word) {
  for (const BuiltinInfo& b : kBuiltins)
    if (word.compare(QStringView(b.name), Qt::CaseInsensitive) == 0) return &b;
  return nullptr;
}

Expression::Expression() : program_(std::make_unique<ExprProgram>()) {}

Expression::Expression(const QString& text) : text_(text), program_(std::make_unique<ExprProgram>()) {
  Compiler compiler(text_);
  if (!compiler.run(*program_, error_)) *program_ = ExprProgram{};
}

Expression::Expression(const Expression& o)
    : text_(o.text_), error_(o.error_), program_(std::make_unique<ExprProgram>(*o.program_)) {}

Expression& Expression::operator=(const Expression& o) {
  if (this != &o) {
    text_ = o.text_;
    error_ = o.error_;
    program_ = std::make_unique<ExprProgram>(*o.program_);
  }
  return *this;
}

Expression::~Expression() = default;

bool Expression::isEmpty() const { return isValid() && program_->root < 0; }

bool Expression::evaluate(const ExpressionContext& context, ExprValue* value, ExpressionError* error) const {
  *value = {};
  if (!isValid()) {
    if (error) *error = error_;
    return false;
  }
  if (program_->root < 0) return true;
  Evaluator e(*program_, context);
  if (!e.resolve() || !e.eval(program_->root, *value)) {
    *value = {};
    if (error) *error = e.error();
    return false;
  }
  return true;
}

ExpressionResult EvaluateExpression(const QString& text, const ExpressionContext& context) {
  ExpressionResult r;
  r.ok = Expression(text).evaluate(context, &r.value, &r.error);
  return r;
}

QString CheckExpression(const QString& text, const ExpressionContext& context) {
  const ExpressionResult r = EvaluateExpression(text, context);
  if (r.ok) return QStringLiteral("Výraz je v pořádku.");
  // Built by joining: the expression is user text and never a format string.
  return QStringLiteral("Chyba : \"") + r.error.text + QStringLiteral("\" na pozici ") +
         QString::number(r.error.position);
}

}  // namespace report
