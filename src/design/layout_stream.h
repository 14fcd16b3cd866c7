// The layout stream: the byte format in which layouts keep their elements.
//
//   list     0x01, elements, 0x00
//   element  "TPF0", class name, element name (short strings), properties,
//            0x00 (end of properties), 0x00 (end of the empty child list)
//   property name (short string, dotted for owned objects: "Font.Name"), value
//   value    a type byte and its data: 0x01 list (values to 0x00), 0x02/0x03/
//            0x04 int8/16/32, 0x05 80-bit extended, 0x06 short string, 0x07
//            identifier, 0x08 false, 0x09 true, 0x0A binary (u32 length),
//            0x0B set (identifiers to an empty one), 0x0C long string (u32
//            length), 0x0D nil
// Integers little-endian; a short string is a length byte and its bytes.
// The writer builds streams; the reader turns one into plain stored elements
// for the element classes to apply, checking every length against the data.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace design {

// A reading error, with the message the user sees ("Invalid stream format", ...).
class LayoutError : public std::runtime_error {
 public:
  explicit LayoutError(const std::string& message) : std::runtime_error(message) {}
};

struct Identifier {
  std::string name;
  bool operator==(const Identifier&) const = default;
};
struct Binary {
  std::string bytes;
  bool operator==(const Binary&) const = default;
};
struct SetValue {
  std::vector<std::string> members;
  bool operator==(const SetValue&) const = default;
};
struct Nil {
  bool operator==(const Nil&) const = default;
};

using Value = std::variant<int64_t, double, std::string, Identifier, bool, Binary, SetValue, Nil,
                           std::vector<struct StoredValueBox>>;

// A value held in a list (boxed so that lists can nest).
struct StoredValueBox {
  Value value;
  bool operator==(const StoredValueBox&) const;
};

struct StoredProperty {
  std::string name;
  Value value;
};

struct StoredElement {
  std::string className;
  std::string name;
  std::vector<StoredProperty> properties;
};

class LayoutWriter {
 public:
  void beginList() { out_.push_back('\x01'); }
  void endList() { out_.push_back('\x00'); }
  void beginElement(const std::string& className, const std::string& name);
  void endElement() { out_.append(2, '\x00'); }

  // Each writes the property name, then the value in its smallest form.
  void integer(const std::string& property, int64_t value);
  void extended(const std::string& property, double value);
  void string(const std::string& property, const std::string& value);
  void identifier(const std::string& property, const std::string& name);
  void boolean(const std::string& property, bool value);
  void binary(const std::string& property, const std::string& bytes);
  void set(const std::string& property, const std::vector<std::string>& members);
  // A colour: its identifier when it has one, else its 32-bit value as an integer.
  void color(const std::string& property, uint32_t value);
  // A string list: property.Strings as a list of strings.
  void strings(const std::string& property, const std::vector<std::string>& lines);

  // Bare values, for settings lists.
  void integerValue(int64_t value);
  void stringValue(const std::string& value);
  void booleanValue(bool value);

  const std::string& bytes() const { return out_; }

 private:
  void shortString(const std::string& text);
  std::string out_;
};

class LayoutReader {
 public:
  explicit LayoutReader(std::string bytes) : data_(std::move(bytes)) {}
  // One element list. Throws LayoutError.
  std::vector<StoredElement> readList();
  // One element list, handing each element over as soon as it is read, so
  // that what came before an error is kept. Throws LayoutError.
  void readList(const std::function<void(StoredElement&&)>& each);
  // One list of bare values (report settings). Throws LayoutError.
  std::vector<Value> readValueList();
  bool atEnd() const { return pos_ >= data_.size(); }
  // Whether the next list holds elements (or nothing) rather than bare values.
  bool nextListHoldsElements() const;

 private:
  uint8_t byte();
  std::string take(std::size_t n);
  std::string shortString();
  uint32_t u32();
  Value value(int depth);
  StoredElement element();

  std::string data_;
  std::size_t pos_ = 0;
};

// A stored value as the kind a property needs; "Invalid property value"
// when it is of another kind (or an integer out of the 32-bit range).
int32_t integerOf(const Value& value);
bool booleanOf(const Value& value);
std::string stringOf(const Value& value);
std::string identifierOf(const Value& value);
uint32_t colorOf(const Value& value);        // an identifier of the colour table or an integer
std::vector<std::string> setOf(const Value& value);
std::string binaryOf(const Value& value);
std::vector<std::string> stringsOf(const Value& value);  // a list of strings
double extendedOf(const Value& value);       // an extended float or an integer
// The position of an identifier among an enumeration's value names.
int enumOf(const Value& value, const char* const* names, int count);

// Colour identifiers: the name of a value, or nothing; the value of a name.
std::optional<std::string> colorIdentifier(uint32_t value);
std::optional<uint32_t> colorValue(const std::string& identifier);

// 80-bit extended floats as the stream keeps them.
std::string toExtended(double value);
double fromExtended(const std::string& tenBytes);

// The next free layout file name in `folder`: "BIN" + five digits +
// extension (".L", ".E", ".R"), from 00001; "BIN00000" + extension when all are taken.
std::string nextLayoutName(const std::string& folder, const std::string& extension);

}  // namespace design
