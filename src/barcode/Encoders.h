#pragma once

// Every symbology encoder, one family per source file. An encoder receives a text that has
// already passed the barcode object's check for its symbology and returns the pattern with
// its anchors; it never draws and keeps no state between calls.

#include "barcode/BarcodeTypes.h"

#include <string>
#include <string_view>

namespace etikor {

// Check digits (CheckDigits.cpp). Each returns the check character ('0'..'9', or as stated).
char EanCheck13(std::string_view twelveDigits);  // weights 1,3,1,3... from the left
char EanCheck3(std::string_view digits);         // weights 3,1,3,1... from the left
char IsbnCheck(std::string_view textWithDashes); // mod 11, 10 gives 'X'
char LuhnCheck(std::string_view digits);
char PznCheck(std::string_view sixDigits); // may give ':' for remainder 10

// EAN and UPC family with add-ons and the book numbers (EncodeEanUpc.cpp).
std::string EanForm(std::string_view text, TTypBarCode type);
BarcodeEncoding EncodeEan8(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeEan13(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeUpcA(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeUpcE(std::string_view text, TTypBarCode type, const EncoderOptions& options);
// Appends the add-on symbol for `digits` to `encoding` (mainLength = pattern length before
// any leading blanks).
void EncodeAddOn(std::string_view digits, int mainLength, BarcodeEncoding& encoding);

// Code 128 and EAN-128 (EncodeCode128.cpp).
BarcodeEncoding EncodeCode128(std::string_view text, TTypBarCode type, const EncoderOptions& options);
// 1-based position of the first character that Code 128 has no symbol value for (codes 128
// and above, e.g. the accented letters of the EAN-128 character set), 0 when there is none.
// The barcode object reports it as erCharOutOfSet; the encoder gives an empty pattern for it.
int Code128UnencodablePosition(std::string_view text, TTypBarCode type);

// Code 39 (EncodeCode39.cpp), Code 93 (EncodeCode93.cpp), Codabar (EncodeCodabar.cpp),
// Code 11 (EncodeCode11.cpp), MSI (EncodeMsi.cpp).
BarcodeEncoding EncodeCode39(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCode39Full(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCode93(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCode93Full(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCodabar(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeAbcCodabar(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCode11(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeMsi(std::string_view text, const EncoderOptions& options);
std::string MsiCheck(std::string_view text); // one digit, or a blank for texts under 2 characters

// Two-of-five family, ITF, UPC Shipping, OPC (EncodeTwoOfFive.cpp), PostNet (EncodePostNet.cpp),
// PZN (EncodePzn.cpp).
BarcodeEncoding EncodeDatalogic(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeMatrix(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeCoop(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeIndustrial(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeIata(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeInvert(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeInterleaved(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodeUpcShipping(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodePostNet(std::string_view text, const EncoderOptions& options);
BarcodeEncoding EncodePzn(std::string_view text, const EncoderOptions& options);
// 1-based position of the first character these encoders have no pattern for, 0 when every
// character can be encoded. The catalogue lets letters through for OPC and PostNet, and ITF
// has no character-set check at all; the barcode object reports such a position as
// erCharOutOfSet.
int InterleavedUnencodablePosition(std::string_view text); // bc25Interleaved, bcITF, bcOPC
int PostNetUnencodablePosition(std::string_view text);

} // namespace etikor
