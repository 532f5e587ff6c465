// The catalogue of named single-value property functions and their evaluation.
//
// Sixty functions in five groups. A function's code is group × 100 + its index
// within the group. Groups 1–4 are named by mnemonics that read result_inputs
// ("V_TP": volume from temperature and pressure) and are each one SolveState
// call with a fixed pair, fixed need flags and a fixed metastable preference;
// group 5 holds the supplementary functions (dryness, moisture, transport
// properties, isentropic exponent, isentropic heat drop and pump work).
//
// The table is shared by the function page of the window and by the command-line
// tool; captions and units shown with a function belong to those front ends.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "props/state.h"

namespace if97 {

// How a function obtains its value.
enum class FunctionMethod : int {
  kSolve,                 // one SolveState call, the result is one output cell
  kDryness,               // dryness from (P, I) by the region of the state
  kMoisture,              // 1 − dryness
  kViscosity,             // DynamicViscosity of the (T, P) state
  kConductivity,          // ThermalConductivity of the (T, P) state
  kIsentropicExponent,    // KAPA: −(v/p)(∂p/∂v) along the isentrope of (P, I)
  kIsentropicDrop,        // HISO: h(P1, I1) − h(P2, s1), never negative; 0 when P2 ≥ P1
  kIsentropicPumpWork,    // PumpISO: h(P2, s1) − h(T1, P1), never negative
};

constexpr int kFunctionGroupCount = 5;
constexpr int kFunctionCount = 60;

// Digits after the separator of a result whose resultQuantity is 0 (transport properties).
constexpr int kTransportResultDecimals = 3;

struct FunctionEntry {
  std::int32_t code;          // group × 100 + index
  int group;                  // 1 … 5
  int index;                  // position within the group, from 0
  const char* nameCs;         // list item: the mnemonic in groups 1–4, the Czech name in group 5 (UTF-8)
  const char* nameEn;         // the mnemonic in groups 1–4, the English name in group 5
  int inputCount;             // 1 … 3
  std::array<int, 3> inputs;  // StateQuantity of each input in the order typed (0 past inputCount)
  int resultQuantity;         // quantity whose decimals (and, in groups 1–4, caption and unit) the result
                              // takes; 0 for the transport properties (kTransportResultDecimals digits)
  FunctionMethod method;
  // The SolveState call of kSolve functions. Value1 is always input 1; Value2 is
  // input 2, or fixedValue2 (the dryness 0 or 1 of a saturation-line function)
  // when hasFixedValue2.
  std::int32_t pair;
  bool needP, needV, needS, needI;
  bool preferMetastable;
  bool hasFixedValue2;
  double fixedValue2;
  int resultCell;             // StateQuantity whose output cell is the result
};

// Every function, grouped and in list order (group 1 first).
std::span<const FunctionEntry> FunctionCatalogue();

// The functions of one group (1 … 5) in list order; empty for any other group.
std::span<const FunctionEntry> FunctionsOfGroup(int group);

// The entry of a code, or nullptr.
const FunctionEntry* FindFunction(std::int32_t code);

// The entry whose mnemonic, Czech or English name equals the text (exactly, or
// else ignoring the case of ASCII letters), or nullptr.
const FunctionEntry* FindFunctionByName(std::string_view name);

// Group names by language (0 Czech, 1 English), UTF-8; nullptr outside 1 … 5.
const char* FunctionGroupName(int group, int language);

// Value of the function with the given code; in2 and in3 are ignored by
// functions with fewer inputs. Every solver call starts from output cells set
// to 0 with the known quantities preset to their values.
//
// Error value −1.0: for an unknown code, for a dryness that the region of the
// state does not define, for any non-finite result (a division by zero in KAPA),
// and for the transport and multi-call functions (502 … 506) when a solver call
// finds its state outside the supported range, where a partial result would be
// meaningless. The inputs are checked before the rules that give 0: HISO
// answers 0 for P2 ≥ P1 (solving no end state) only when its start state lies in
// the range and P2 within 0.000611 … 100 MPa; PumpISO solves both states before
// it turns a negative work into 0. A single-call function of groups 1–4 does not
// examine the region: an out-of-range state gives the 0 the solver leaves in the
// result cell.
//
// The overload also reports the region code: the first region 9, 10 or 11 met
// by any of the solver calls (or 9 for an end pressure of HISO outside the
// range), otherwise the region of the last call (0 when no call was made).
double EvaluateFunction(std::int32_t code, double in1, double in2, double in3);
double EvaluateFunction(std::int32_t code, double in1, double in2, double in3, PropertyRegion& region);

}  // namespace if97
