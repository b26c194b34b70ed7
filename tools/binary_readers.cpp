#include "tools/binary_readers.h"

#include <bit>
#include <string>
#include <type_traits>

#include "model/records.h"

namespace scenario::tools {

DecodeError::DecodeError(size_t offset, const std::string& reason)
    : std::runtime_error("at offset " + std::to_string(offset) + ": " + reason), offset_(offset) {}

namespace {

// Little-endian values read one after another.
class Input {
public:
  explicit Input(std::string_view bytes, size_t offset = 0) : bytes_(bytes), pos_(offset) {}

  size_t offset() const { return pos_; }
  size_t left() const { return bytes_.size() - pos_; }

  uint8_t u8() { return static_cast<uint8_t>(take(1)); }
  uint16_t u16() { return static_cast<uint16_t>(take(2)); }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(take(4))); }
  double f64() { return std::bit_cast<double>(take(8)); }
  // An integer field of the width of T.
  template <typename T>
  T integer() {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(take(sizeof(T))));
  }
  std::string text(size_t n) {
    std::string t(bytes_.substr(pos_, n));
    pos_ += n;
    return t;
  }

private:
  uint64_t take(int n) {
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= uint64_t(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += n;
    return v;
  }
  std::string_view bytes_;
  size_t pos_;
};

// Sizes of a table entry around its text: up to and with the text's
// length, and after the text.
const size_t kEntryHead = [] {
  size_t n = 0;
  bool text_seen = false;
  const Voce v{};
  campi_voce(v, [&](const char*, const auto& field) {
    if (text_seen) return;
    using T = std::remove_cvref_t<decltype(field)>;
    n += byte_campo<T>();
    text_seen = std::is_same_v<T, std::string>;
  });
  return n;
}();
const size_t kEntryTail = kByteVoceSenzaTesto - kEntryHead;

Cella read_cell(Input& in) {
  Cella c;
  campi_cella(c, [&in](const char*, auto& v) { v = in.integer<std::remove_reference_t<decltype(v)>>(); });
  return c;
}

Voce read_entry(Input& in, int index) {
  const size_t start = in.offset();
  const std::string what = "entry " + std::to_string(index) + " is cut short: ";
  if (in.left() < kEntryHead)
    throw DecodeError(start, what + "the file ends within its first " + std::to_string(kEntryHead) + " bytes");
  Voce v;
  campi_voce(v, [&](const char*, auto& field) {
    using T = std::remove_reference_t<decltype(field)>;
    if constexpr (std::is_same_v<T, std::string>) {
      const uint16_t length = in.u16();
      if (in.left() < size_t(length) + kEntryTail) {
        throw DecodeError(start, what + "it is " + std::to_string(kEntryHead + length + kEntryTail) +
                                     " bytes long with a text of " + std::to_string(length) + ", the file holds " +
                                     std::to_string(kEntryHead + in.left()) + " from there");
      }
      field = in.text(length);
    } else {
      field = in.integer<T>();
    }
  });
  return v;
}

// "0 empty, 2 integer, 5 double".
std::string tag_noti() {
  std::string out;
  for (const FormaPunto& f : kFormePunto) out += (out.empty() ? "" : ", ") + std::to_string(f.tag) + " " + f.nome;
  return out;
}

ValorePiano read_element(Input& in) {
  const size_t start = in.offset();
  if (in.left() < 2) throw DecodeError(start, "an element tag is cut short");
  const uint16_t tag = in.u16();
  const FormaPunto* forma = forma_punto(tag);
  if (forma == nullptr)
    throw DecodeError(start, "unknown element tag " + std::to_string(tag) + " (known: " + tag_noti() + ")");
  if (in.left() < forma->byte_numero)
    throw DecodeError(start, std::string("a ") + forma->descrizione + " element is cut short");
  switch (forma->tag) {
    case ValorePiano::kIntero: return ValorePiano::di_intero(in.i16());
    case ValorePiano::kDoppio: return ValorePiano::di_doppio(in.f64());
    case ValorePiano::kVuoto: break;
  }
  return {};
}

}  // namespace

std::vector<Cella> read_grid_file(std::string_view bytes) {
  if (bytes.empty()) throw DecodeError(0, "the file is empty: a grid holds at least one cell");
  std::vector<Cella> cells;
  Input in(bytes);
  while (in.left() >= kByteCella) cells.push_back(read_cell(in));
  if (in.left() > 0)
    throw DecodeError(in.offset(), "cell " + std::to_string(cells.size()) + " is cut short: " +
                                       std::to_string(in.left()) + " of its " + std::to_string(kByteCella) + " bytes");
  return cells;
}

std::array<Voce, kVociServizio> read_table_file(std::string_view bytes) {
  std::array<Voce, kVociServizio> entries;
  Input in(bytes);
  for (int i = 0; i < kVociServizio; ++i) entries[i] = read_entry(in, i);
  if (in.left() > 0)
    throw DecodeError(in.offset(), "the file goes on for " + std::to_string(in.left()) + " bytes after the 87th entry");
  return entries;
}

PlanShape scan_plan_file(std::string_view bytes) {
  if (bytes.empty()) throw DecodeError(0, "the file is empty: a plan holds at least one position");
  Input in(bytes);
  size_t count = 0;
  // The offset of each element is not kept: coordinate 1 is found by a second
  // walk to the middle element, which costs less than a list as long as the file.
  while (in.left() > 0) {
    read_element(in);
    ++count;
  }
  if (count % 2 != 0)
    throw DecodeError(in.offset(), "the file holds an odd number of elements (" + std::to_string(count) +
                                       "): its two coordinate halves cannot be equal");
  Input half(bytes);
  for (size_t i = 0; i < count / 2; ++i) read_element(half);
  return {count / 2, half.offset()};
}

ValorePiano PlanCursor::next() {
  Input in(bytes_, offset_);
  ValorePiano v = read_element(in);
  offset_ = in.offset();
  return v;
}

void PlanCursor::skip(size_t elements) {
  for (size_t i = 0; i < elements; ++i) next();
}

Planimetria read_plan_file(std::string_view bytes) {
  if (bytes.empty()) throw DecodeError(0, "the file is empty: a plan holds at least one position");
  std::vector<ValorePiano> all;
  Input in(bytes);
  while (in.left() > 0) all.push_back(read_element(in));
  if (all.size() % 2 != 0)
    throw DecodeError(in.offset(), "the file holds an odd number of elements (" + std::to_string(all.size()) +
                                       "): its two coordinate halves cannot be equal");
  Planimetria plan;
  const ValorePiano* const half = all.data() + all.size() / 2;
  plan.coordinata[0] = AssePiano(all.data(), half);
  plan.coordinata[1] = AssePiano(half, all.data() + all.size());
  return plan;
}

}  // namespace scenario::tools
