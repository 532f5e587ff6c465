// Reads back what MetafileDevice writes, apart from the writer: the walk of the
// records of either format and a model of a player's object table.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace metafiletest {

struct Record {
  std::uint32_t type = 0;  // EMF record type, or WMF function number
  qsizetype offset = 0;    // from the start of the file
  qsizetype size = 0;      // bytes
};

struct Walk {
  QList<Record> records;
  std::string error;  // empty when the sizes add up to the file
};

inline std::uint32_t U32(const QByteArray& b, qsizetype at) {
  return at >= 0 && at + 4 <= b.size() ? qFromLittleEndian<std::uint32_t>(b.constData() + at) : 0xFFFFFFFFu;
}
inline std::int32_t I32(const QByteArray& b, qsizetype at) { return static_cast<std::int32_t>(U32(b, at)); }
inline std::uint16_t U16(const QByteArray& b, qsizetype at) {
  return at >= 0 && at + 2 <= b.size() ? qFromLittleEndian<std::uint16_t>(b.constData() + at) : 0xFFFF;
}
inline std::int16_t I16(const QByteArray& b, qsizetype at) { return static_cast<std::int16_t>(U16(b, at)); }

constexpr qsizetype kPlaceable = 22;
constexpr qsizetype kMetaHeader = 18;

// EMF: records of 32-bit aligned sizes from offset 0, the header (1) first and
// EOF (14) last. WMF: the placeable header, the metafile header, then records
// whose first 32-bit field counts 16-bit words, META_EOF (0) last.
inline Walk WalkMetafile(const QByteArray& b, bool emf) {
  Walk w;
  if (!emf && (b.size() < kPlaceable + kMetaHeader || U32(b, 0) != 0x9AC6CDD7u)) {
    w.error = "no placeable header";
    return w;
  }
  for (qsizetype at = emf ? 0 : kPlaceable + kMetaHeader; at < b.size();) {
    const qsizetype size = emf ? U32(b, at + 4) : qsizetype(U32(b, at)) * 2;
    if (size < (emf ? 8 : 6) || size % (emf ? 4 : 2) != 0 || at + size > b.size()) {
      w.error = "bad record size at " + std::to_string(at);
      return w;
    }
    w.records.append({emf ? U32(b, at) : U16(b, at + 4), at, size});
    at += size;
  }
  if (emf && (w.records.isEmpty() || w.records.first().type != 1)) w.error = "no header first";
  else if (w.records.isEmpty() || w.records.last().type != (emf ? 14u : 0u)) w.error = "no EOF last";
  return w;
}

// The object table as a player keeps it: EMF names the entry, WMF takes the lowest free one;
// selections are saved and restored with the context. play() gives the first inconsistency.
class ObjectModel {
 public:
  explicit ObjectModel(bool emf) : emf_(emf) {}

  std::string play(const QByteArray& file, const Walk& walk) {
    for (const Record& r : walk.records) {
      const std::string e = record(file, r);
      if (!e.empty()) return e + " (record at " + std::to_string(r.offset) + ")";
    }
    return {};
  }
  std::size_t peak() const { return peak_; }

 private:
  enum Kind { kPen, kBrush, kFont, kNone };
  using State = std::array<std::optional<int>, 3>;  // selected pen, brush, font

  std::string record(const QByteArray& b, const Record& r) {
    // EMF and WMF numbers of: create pen, brush, font; select; delete; save; restore.
    const std::uint32_t emf[] = {95, 39, 82, 37, 40, 33, 34};
    const std::uint32_t wmf[] = {0x02FA, 0x02FC, 0x02FB, 0x012D, 0x01F0, 0x001E, 0x0127};
    const std::uint32_t* n = emf_ ? emf : wmf;
    const int operand = emf_ ? I32(b, r.offset + 8) : U16(b, r.offset + 6);
    for (int kind = kPen; kind <= kFont; ++kind) {
      if (r.type != n[kind] && !(emf_ && kind == kPen && r.type == 38)) continue;  // 38: CREATEPEN
      int index = operand;
      if (!emf_)
        for (index = 0; objects_.count(index);) ++index;
      if (objects_.count(index)) return "create over a live object";
      objects_[index] = Kind(kind);
      peak_ = std::max(peak_, objects_.size());
      return {};
    }
    if (r.type == n[3]) {
      if (emf_ && (operand & 0x80000000)) return {};  // stock object
      const auto it = objects_.find(operand);
      if (it == objects_.end()) return "select of a missing object";
      state_[it->second] = operand;
      return {};
    }
    if (r.type == n[4]) return objects_.erase(operand) ? "" : "delete of a missing object";
    if (r.type == n[5]) saved_.push_back(state_);
    if (r.type == n[6]) {
      if (saved_.empty()) return "restore without save";
      state_ = saved_.back();
      saved_.pop_back();
      for (const auto& s : state_)
        if (s && !objects_.count(*s)) return "restore selects a deleted object";
    }
    // POLYLINE; POLYGON, POLYPOLYGON, ELLIPSE, RECTANGLE; EXTTEXTOUTW / EXTTEXTOUT.
    const bool penOnly = r.type == (emf_ ? 4u : 0x0325u);
    const bool filled = emf_ ? (r.type == 3 || r.type == 8 || r.type == 42 || r.type == 43)
                             : (r.type == 0x0324 || r.type == 0x0538 || r.type == 0x0418 || r.type == 0x041B);
    const bool text = r.type == (emf_ ? 84u : 0x0A32u);
    for (const Kind k : {penOnly || filled ? kPen : kNone, filled ? kBrush : kNone, text ? kFont : kNone}) {
      if (k == kNone) continue;
      if (!state_[k]) return "drawing without a selected object";
      if (!objects_.count(*state_[k])) return "drawing with a deleted object";
    }
    return {};
  }

  bool emf_;
  std::map<int, Kind> objects_;
  std::size_t peak_ = 0;
  State state_;
  QList<State> saved_;
};

}  // namespace metafiletest
