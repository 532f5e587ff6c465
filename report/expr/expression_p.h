// Private: the compiled form of an expression, a tree of nodes in one array.
#pragma once

#include <array>
#include <vector>

#include <QList>
#include <QString>

#include "report/expr/exprvalue.h"

namespace report {

enum class ExprOp : int {
  Add, Sub, Mul, Div, Pow,
  Eq, Ne, Lt, Gt, Le, Ge,
  And, Or, In,
  Neg, Plus, Not,
};

enum class Builtin : int {
  Abs, Int, Sgn, Max, Min, Iif, Left, Right, Substr, Upper, Lower, LTrim, RTrim, AllTrim,
  Format, Sin, Cos, Tan, Cotg, Exp, Log, Asin, Acos, Atan, Acotg, Chr, Ord,
};

struct BuiltinInfo {
  const char16_t* name;
  int arguments;
  Builtin id;
};
// The built-in functions in the designer's order; nullptr when the word is not one.
const BuiltinInfo* FindBuiltin(QStringView word);

enum class NodeKind { Constant, Set, Column, Parameter, Function, Unary, Binary, Call };

struct ExprNode {
  NodeKind kind = NodeKind::Constant;
  int position = 0;  // 1-based position of the token
  ExprOp op = ExprOp::Add;
  Builtin builtin = Builtin::Abs;
  ExprValue constant;
  QList<ExprValue> set;
  int number = 0;  // reference number from 1 (0 when the reference is by name)
  QString name;    // reference name
  int reference = -1;  // slot of a reference in the program's reference table
  std::array<int, 3> args{-1, -1, -1};
  int argc = 0;
};

struct ExprProgram {
  std::vector<ExprNode> nodes;
  int root = -1;       // -1: empty expression
  int references = 0;  // reference nodes, numbered 0 … references-1
};

}  // namespace report
