// Text encodings of card values: integers, colours and booleans as the card file stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A value of the card file that cannot be converted to the type its reader asks for. The
// message is the one the editor shows; Element and Text (when known) say which element
// held what, for messages about a card file.
class TConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
  TConvertError(const std::string& message, std::string element, std::string text)
      : std::runtime_error(message), Element(std::move(element)), Text(std::move(text)) {}

  std::string Element; // the element's name; empty when unknown
  std::string Text;    // what it held; empty when it was empty or missing

  // "<Rate> holds "1e300", which is not a whole number of 32 bits"; what() when the
  // element is unknown.
  std::string Explained() const;
};

// Signed 32-bit integer from decimal text ("-12", "+7") or hexadecimal with a leading "$"
// or "0x" ("$FF0000"). Spaces around the number are allowed. Hexadecimal takes up to 32 bits
// and is read as the signed value of those bits ("$FFFFFFFF" is -1). Anything else, and a
// decimal value outside the 32-bit range, gives no value.
std::optional<std::int32_t> ParseIntegerText(std::string_view text);

// Decimal text of an integer: no sign for non-negative values, no leading zeros.
std::string IntegerToText(std::int32_t value);

// A colour is 0x00BBGGRR (red in the lowest byte), stored as decimal text; readers also
// accept "$"-hexadecimal. No value when the text is not a number.
std::optional<std::uint32_t> ParseColourText(std::string_view text);

// As ParseColourText, but text that is not a number throws TConvertError
// ("'abc' is not a valid integer value").
std::uint32_t StrToIntColour(std::string_view text);

// Decimal text of a colour as the card file stores it (pure blue is "16711680").
std::string ColourToText(std::uint32_t colour);

// Red, green and blue bytes of a colour value.
inline std::uint8_t ColourRed(std::uint32_t colour) { return colour & 0xFF; }
inline std::uint8_t ColourGreen(std::uint32_t colour) { return (colour >> 8) & 0xFF; }
inline std::uint8_t ColourBlue(std::uint32_t colour) { return (colour >> 16) & 0xFF; }

// Boolean text: true exactly when the text, folded to upper case, is "TRUE"
// ("True" and "true" are true; "yes", "1" and " true" are false).
bool ParseBooleanText(std::string_view text);

// "true" or "false", the form the card file is written with.
std::string BooleanToText(bool value);
