#include "trace/core/list_gather.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "trace/core/field_reader.h"
#include "trace/core/simd.h"

namespace lumora {
namespace {

// The usual line, every field an unsigned plain decimal above 0 ("2655;2650", "0.9;1.8"),
// taken whole in one pass over its bytes. Any other line: false, nothing taken. The byte at
// `end` is read, so the line must end in an LF.
bool takeWholeLine(ListGatherer& g, const char* const line, const char* const end) {
  const std::size_t valuesBefore = g.values.size(), offset = g.list.text.size();
  const bool keepText = g.take == Take::PositiveValues;
  auto giveUp = [&] {
    g.values.resize(valuesBefore);
    if (keepText) g.list.starts.resize(valuesBefore);
    return false;
  };
  for (const char* field = line;;) {
    std::uint64_t mantissa = 0;
    const char* point = nullptr;
    const char* p = field;
    for (;; ++p) {
      const auto digit = static_cast<unsigned char>(*p - '0');
      if (digit < 10) mantissa = mantissa * 10 + digit;
      else if (*p == '.' && !point && p != end) point = p;
      else break;
    }
    detail::PlainDecimal d;
    d.mantissa = mantissa;
    d.decimals = point ? p - point - 1 : 0;
    d.digits = p - field - (point ? 1 : 0);
    double number;
    if ((p != end && *p != ';') || mantissa == 0 || !d.exactValue(number)) return giveUp();
    g.values.push_back(number);
    if (keepText) g.list.starts.push_back(offset + static_cast<std::size_t>(field - line));
    if (p == end) break;
    field = p + 1;
  }
  g.count += static_cast<std::int64_t>(g.values.size() - valuesBefore);
  if (keepText) g.list.text.append(line, end).push_back(';');
  return true;
}

#if LUMORA_SSE2
// The value of the 1 to 8 digits at `p`: moved to the top of eight bytes (the first byte
// lowest), with zeros below as leading zeros, then combined in pairs, fours and eights.
std::uint64_t shortWholeNumber(const char* p, std::size_t length) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  v = (v ^ 0x3030303030303030) << (8 * (8 - length));
  v = ((v & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;
  v = ((v & 0x00FF00FF00FF00FF) * 6553601) >> 16;
  return ((v & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;
}

// Which of the 64 bytes from `p` are ";", LF, or anything but a digit: bit i for byte i.
struct ByteKinds {
  std::uint64_t semicolons = 0, lineFeeds = 0, nonDigits = 0;
};

ByteKinds kindsOf64(const char* p) {
  ByteKinds kinds;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i fromZero = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i digits = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    const auto bits = [&](__m128i marks) {
      return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(marks))} << (16 * part);
    };
    kinds.semicolons |= bits(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(';')));
    kinds.lineFeeds |= bits(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    kinds.nonDigits |= ~bits(digits) & (std::uint64_t{0xFFFF} << (16 * part));
  }
  return kinds;
}
#endif

// A line of whole numbers above 0 of at most eight digits ("2655;2650"), the bulk of every
// packet, numbers only: 64 bytes are sorted at a time, and each field is read as one word.
// Returns the line's LF, or nothing (nothing taken) for any other line, one too near the
// block's end, or where the processor lacks the vector instructions.
const char* takeWholeNumbers(ListGatherer& g, const char* const fields, const char* const blockEnd) {
#if LUMORA_SSE2
  const std::size_t valuesBefore = g.values.size();
  const auto giveUp = [&] {
    g.values.resize(valuesBefore);
    return nullptr;
  };
  const char* field = fields;
  // A field read as a word may start in the last byte of the 64 and needs 8 from there.
  for (const char* window = fields; blockEnd - window >= 64 + 8; window += 64) {
    const ByteKinds kinds = kindsOf64(window);
    const std::uint64_t lineFeed = kinds.lineFeeds & (~kinds.lineFeeds + 1);  // the first only
    const std::uint64_t inLine = lineFeed ? lineFeed | (lineFeed - 1) : ~std::uint64_t{0};
    if (kinds.nonDigits & ~kinds.semicolons & ~lineFeed & inLine) return giveUp();
    for (std::uint64_t ends = (kinds.semicolons | lineFeed) & inLine; ends != 0; ends &= ends - 1) {
      const char* const fieldEnd = window + std::countr_zero(ends);
      const auto length = static_cast<std::size_t>(fieldEnd - field);
      if (length - 1 >= 8) return giveUp();  // empty, or too long to read as one word
      const std::uint64_t number = shortWholeNumber(field, length);
      if (number == 0) return giveUp();
      g.values.push_back(static_cast<double>(static_cast<std::int64_t>(number)));
      field = fieldEnd + 1;
    }
    if (lineFeed) {
      g.count += static_cast<std::int64_t>(g.values.size() - valuesBefore);
      return window + std::countr_zero(lineFeed);
    }
  }
  return giveUp();
#else
  (void)g, (void)fields, (void)blockEnd;
  return nullptr;
#endif
}

// Appends the fields after the label. Taken fields that follow each other are appended as
// one run, separators included; the list keeps a trailing ";" until the end.
void takeFieldByField(ListGatherer& g, const char* const line, const char* const end) {
  std::string& text = g.list.text;
  const char* run = nullptr;
  for (const char* field = line;; ++field) {
    double number;
    const char* const fieldEnd = ReadField(field, end, number);
    if (number > 0 && g.take == Take::PositiveNumbers) {
      g.values.push_back(number);
      ++g.count;
    } else if (number > 0) {
      if (!run) run = field;
      g.list.starts.push_back(text.size() + static_cast<std::size_t>(field - run));
      g.values.push_back(number);
      ++g.count;
    } else if (run) {
      text.append(run, field);  // ends with the ";" before this field
      run = nullptr;
    }
    if (fieldEnd == end) break;
    field = fieldEnd;
  }
  if (run) text.append(run, end).push_back(';');
}

// Every field is taken, so the line goes in whole. These lists are never reordered by
// field offsets, so none are kept.
void takeEvery(ListGatherer& g, const char* const line, const char* const end) {
  g.count += 1 + std::count(line, end, ';');
  g.list.text.append(line, end).push_back(';');
}

// starts_with for a label of a few bytes, without a library call; the first byte alone
// turns most lines away.
bool startsWithShort(std::string_view text, std::string_view label) {
  if (text.size() < label.size()) return false;
  for (std::size_t i = 0; i < label.size(); ++i)
    if (text[i] != label[i]) return false;
  return true;
}

// Takes the fields of one line of the gatherer's label.
void takeLine(ListGatherer& g, const char* const fields, const char* const end, bool endsInLf) {
  if (g.take == Take::EveryField) takeEvery(g, fields, end);
  else if (!endsInLf || !takeWholeLine(g, fields, end)) takeFieldByField(g, fields, end);
}

bool stillActive(std::initializer_list<ListGatherer*> gatherers) {
  return std::any_of(gatherers.begin(), gatherers.end(), [](const ListGatherer* g) { return g->active; });
}

}  // namespace

void GatherLists(std::string_view block, std::initializer_list<ListGatherer*> gatherers) {
  // Room for the wanted fields at once, but never more than the block could hold (a field
  // takes at least two bytes), whatever count a format line declares.
  const auto mostFields = static_cast<std::int64_t>(block.size() / 2);
  for (ListGatherer* g : gatherers) {
    if (g->take == Take::EveryField) continue;
    const auto room = static_cast<std::size_t>(std::clamp<std::int64_t>(g->wanted, 0, mostFields));
    g->values.reserve(room);
    if (g->take == Take::PositiveValues) g->list.starts.reserve(room);
  }
  const char* const blockEnd = block.data() + block.size();
  for (const char *line = block.data(), *lineEnd = nullptr; stillActive(gatherers); line = lineEnd + 1) {
    const std::string_view rest(line, static_cast<std::size_t>(blockEnd - line));
    lineEnd = nullptr;  // its LF, or the block's end; found when first needed
    const auto findLineEnd = [&] {
      if (!lineEnd) {
        const auto lf = rest.find('\n');
        lineEnd = lf == std::string_view::npos ? blockEnd : line + lf;
      }
      return lineEnd;
    };
    for (ListGatherer* g : gatherers) {
      if (!g->active) continue;
      // Labels hold no LF, so a label at the start of the rest is at the start of the line.
      if (startsWithShort(rest, g->label)) {
        const char* const fields = line + g->label.size();
        const char* const numbersEnd =
            g->take == Take::PositiveNumbers ? takeWholeNumbers(*g, fields, blockEnd) : nullptr;
        if (numbersEnd) lineEnd = numbersEnd;
        else takeLine(*g, fields, findLineEnd(), findLineEnd() != blockEnd);
      }
      if (g->count >= g->wanted) g->active = false;
    }
    if (findLineEnd() == blockEnd) break;
  }
  for (ListGatherer* g : gatherers)
    if (!g->list.text.empty() && g->list.text.back() == ';') g->list.text.pop_back();
}

}  // namespace lumora
