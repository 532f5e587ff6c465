// The letters of the known pairs of SolveState, for benchmark names and reports.
#pragma once

#include <cstdint>

inline const char* PairName(std::int32_t pair) {
  switch (pair) {
    case 12: return "TP";
    case 13: return "TV";
    case 14: return "TS";
    case 15: return "TI";
    case 16: return "TX";
    case 23: return "PV";
    case 24: return "PS";
    case 25: return "PI";
    case 26: return "PX";
    case 34: return "VS";
    case 35: return "VI";
    case 46: return "SX";
    case 56: return "IX";
    default: return "?";
  }
}
