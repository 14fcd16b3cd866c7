// POSTNET, the tall-and-short bar code of the US Postal Service: the code's
// digits from a ZIP code and a street line (delivery point and check digit),
// the bars, and printing them in inches. The barcode element draws with
// these; they know nothing of elements or panels.
#pragma once

#include <string>
#include <vector>

#include "platform/print/canvas.h"

namespace design {

enum class PostNetType { FiveDigit, NineDigit, ElevenDigit };

// Bar geometry, inches.
constexpr double kPostNetBarWidth = 0.015;
constexpr double kPostNetPitch = 0.046;
constexpr double kPostNetTall = 0.125;
constexpr double kPostNetShort = 0.055;

// The characters 0 to 9 of a text, in order.
std::string digitsOf(const std::string& text);
// The digit that makes the sum of all digits a multiple of ten.
char checkDigit(const std::string& digits);
// The two delivery-point digits from a street line: the last two digits of
// its last number that is neither an ordinal nor part of a fraction; "99"
// when there is none or the line holds APO or FPO.
std::string deliveryPoint(const std::string& street);
// The code's digits with the check digit; "" when the ZIP code cannot be
// printed (shorter than 5 characters, or outside "00000".."99999-9999").
std::string postNetDigits(const std::string& zip, const std::string& street, PostNetType type);
// The bars of a code, frame bars included: true for a tall bar.
std::vector<bool> postNetBars(const std::string& codeDigits);
// Prints the bars with the element's top-left corner at (x, y), inches.
void printPostNet(print::Canvas& canvas, double x, double y, const std::string& codeDigits);

}  // namespace design
