// Reads back what MetafileDevice writes, independently of the writer: the record
// walk of an enhanced metafile (type and size of each 32-bit record) and of a
// placeable metafile (its two headers, then function and size of each 16-bit
// record), plus a model of the players' object table that checks every select,
// delete and drawing record against the objects then alive.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>
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

// UTF-16 text of n units at a byte offset.
inline QString Utf16(const QByteArray& b, qsizetype at, qsizetype n) {
  QString s;
  for (qsizetype i = 0; i < n; ++i) s.append(QChar(U16(b, at + 2 * i)));
  return s;
}

// EMF: records of 32-bit aligned sizes from offset 0; the last must be EOF (14).
inline Walk WalkEmf(const QByteArray& b) {
  Walk w;
  qsizetype at = 0;
  while (at < b.size()) {
    const std::uint32_t type = U32(b, at), size = U32(b, at + 4);
    if (size < 8 || size % 4 != 0 || at + qsizetype(size) > b.size()) {
      w.error = "bad record size at " + std::to_string(at);
      return w;
    }
    w.records.append({type, at, qsizetype(size)});
    at += size;
  }
  if (w.records.isEmpty() || w.records.first().type != 1) w.error = "no header first";
  else if (w.records.last().type != 14) w.error = "no EOF last";
  return w;
}

constexpr qsizetype kPlaceable = 22;
constexpr qsizetype kMetaHeader = 18;

// WMF: the placeable header, the metafile header, then records whose first
// 32-bit field counts 16-bit words; the last must be META_EOF (0).
inline Walk WalkWmf(const QByteArray& b) {
  Walk w;
  if (b.size() < kPlaceable + kMetaHeader || U32(b, 0) != 0x9AC6CDD7u) {
    w.error = "no placeable header";
    return w;
  }
  qsizetype at = kPlaceable + kMetaHeader;
  while (at < b.size()) {
    const std::uint32_t words = U32(b, at);
    if (words < 3 || at + qsizetype(words) * 2 > b.size()) {
      w.error = "bad record size at " + std::to_string(at);
      return w;
    }
    w.records.append({U16(b, at + 4), at, qsizetype(words) * 2});
    at += qsizetype(words) * 2;
  }
  if (w.records.isEmpty() || w.records.last().type != 0) w.error = "no EOF last";
  return w;
}

inline QList<std::uint32_t> Types(const Walk& w) {
  QList<std::uint32_t> t;
  for (const Record& r : w.records) t.append(r.type);
  return t;
}

// The object table as a player keeps it. EMF names the entry in its create
// records; WMF takes the lowest free one. Selections are saved and restored with
// the device context. Returns the first inconsistency, or an empty string.
class ObjectModel {
 public:
  explicit ObjectModel(bool emf) : emf_(emf) {}

  std::string play(const QByteArray& file, const Walk& walk) {
    for (const Record& r : walk.records) {
      const std::string e = emf_ ? emfRecord(file, r) : wmfRecord(file, r);
      if (!e.empty()) return e + " (record at " + std::to_string(r.offset) + ")";
    }
    return {};
  }
  std::size_t peak() const { return peak_; }

 private:
  enum Kind { kPen, kBrush, kFont };
  struct State {
    std::optional<int> selected[3];
  };

  std::string create(int index, Kind kind) {
    if (objects_.count(index)) return "create over a live object";
    objects_[index] = kind;
    peak_ = std::max(peak_, objects_.size());
    return {};
  }
  std::string select(int index) {
    if (emf_ && (index & 0x80000000)) return {};  // stock object
    const auto it = objects_.find(index);
    if (it == objects_.end()) return "select of a missing object";
    state_.selected[it->second] = index;
    return {};
  }
  std::string remove(int index) {
    if (!objects_.erase(index)) return "delete of a missing object";
    return {};
  }
  std::string draw(std::initializer_list<Kind> needs) {
    for (Kind k : needs) {
      const auto& s = state_.selected[k];
      if (!s) return "drawing without a selected object";
      if (!objects_.count(*s)) return "drawing with a deleted object";
    }
    return {};
  }
  std::string restore() {
    if (saved_.empty()) return "restore without save";
    state_ = saved_.back();
    saved_.pop_back();
    for (const auto& s : state_.selected)
      if (s && !objects_.count(*s)) return "restore selects a deleted object";
    return {};
  }

  std::string emfRecord(const QByteArray& b, const Record& r) {
    const qsizetype at = r.offset;
    switch (r.type) {
      case 95: return create(I32(b, at + 8), kPen);    // EXTCREATEPEN
      case 38: return create(I32(b, at + 8), kPen);    // CREATEPEN
      case 39: return create(I32(b, at + 8), kBrush);  // CREATEBRUSHINDIRECT
      case 82: return create(I32(b, at + 8), kFont);   // EXTCREATEFONTINDIRECTW
      case 37: return select(I32(b, at + 8));
      case 40: return remove(I32(b, at + 8));
      case 33: saved_.push_back(state_); return {};    // SAVEDC
      case 34: return restore();                       // RESTOREDC
      case 3: case 4: case 8: case 42: case 43:        // POLYGON, POLYLINE, POLYPOLYGON, ELLIPSE, RECTANGLE
        return r.type == 4 ? draw({kPen}) : draw({kPen, kBrush});
      case 84: return draw({kFont});                   // EXTTEXTOUTW
      default: return {};
    }
  }

  std::string wmfRecord(const QByteArray& b, const Record& r) {
    const qsizetype at = r.offset;
    const auto lowestFree = [this] {
      int i = 0;
      while (objects_.count(i)) ++i;
      return i;
    };
    switch (r.type) {
      case 0x02FA: return create(lowestFree(), kPen);
      case 0x02FC: return create(lowestFree(), kBrush);
      case 0x02FB: return create(lowestFree(), kFont);
      case 0x012D: return select(U16(b, at + 6));
      case 0x01F0: return remove(U16(b, at + 6));
      case 0x001E: saved_.push_back(state_); return {};
      case 0x0127: return restore();
      case 0x0324: case 0x0538: case 0x0418: case 0x041B: return draw({kPen, kBrush});
      case 0x0325: return draw({kPen});
      case 0x0A32: return draw({kFont});
      default: return {};
    }
  }

  bool emf_;
  std::map<int, Kind> objects_;
  std::size_t peak_ = 0;
  State state_;
  QList<State> saved_;
};

}  // namespace metafiletest
