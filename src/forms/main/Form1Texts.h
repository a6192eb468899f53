#pragma once

#include "converter/rules/Ranges.h"
#include "host/seams/MessageBox.h"

// Every text the main window shows, exactly as the user sees it (blanks included).
namespace korven::forms::texts {

inline constexpr char kCaption[] = "KORVEN FONTS CONVERTER 1.1(GUI)  by ZQ";
inline constexpr char kFrame1[] = "SOURCE FONT";
inline constexpr char kFrame2[] = "DESTINATION FONT";
inline constexpr char kFrame3[] = "OPTIONS";
inline constexpr char kPleaseWait[] = "    Please Wait";
inline constexpr char kFontSizeLabel[] = "FONT SIZE:";
inline constexpr char kMaxValueLabel[] = "Max Value: 22";
inline constexpr char kShadowLabel[] = "SHADOW :";
inline constexpr char kShadowRangeLabel[] = "Value:   1 - 4.0";
inline constexpr char kConvertButton[] = "&Convert Font";
inline constexpr char kExitButton[] = "&Exit";
inline constexpr char kMenuInfo[] = "INFO";
inline constexpr char kMenuPreview[] = "&PREVIEW";
// The menu item that writes all sixteen system fonts, added beside the first two.
inline constexpr char kMenuSet[] = "&SET";
inline constexpr char kLinkToolTip[] = "visita il nostro sito";
// Every kind of font file the converter reads: TrueType, OpenType and collections (the
// list ignores case, so .TTF is listed too).
inline constexpr char kSourcePattern[] = "*.ttf;*.otf;*.ttc";
inline constexpr char kDestinationPattern[] = "*.pgf";

inline constexpr char kSelectFont[] = "Please select a font";
inline constexpr char kSelectFontTitle[] = "Question";
// Said before anything starts, in the same box as the font reminder, so that the converter's
// own usage text never reaches the user.
inline constexpr char kSelectSize[] = "Please select a FONT SIZE from 6 to 22";
inline constexpr char kEnterShadow[] = "Please enter a SHADOW value from 1 to 4.0";
// The designed texts above name the converter's ranges in words; they must change together.
static_assert(converter::kMinPixelSize == 6 && converter::kMaxPixelSize == 22 &&
                  converter::kMinShadowRadius == 1.0 && converter::kMaxShadowRadius == 4.0,
              "the main window's texts name another range than the converter takes");
inline constexpr char kReplaceQuestion[] = "the file already exist to replace it";
inline constexpr char kReplaceTitle[] = "QUESTION";
inline constexpr char kDeviceUnavailable[] = " Peripheral not available ";
inline constexpr char kDiskNotReady[] = "Not ready disc";

// How each box looks. The font reminder also carries SecondButtonDefault: with its one OK
// button that has no effect, but the flags stay the value the program has always passed.
// The replace question defaults to No, so Enter alone never overwrites a file.
using Flag = host::MessageBoxFlag;
inline constexpr host::MessageBoxFlags kFlagsSelectFont =
    Flag::OkOnly | Flag::Warning | Flag::SecondButtonDefault;
inline constexpr host::MessageBoxFlags kFlagsReplace =
    Flag::YesNo | Flag::Stop | Flag::SecondButtonDefault;
inline constexpr host::MessageBoxFlags kFlagsPlain = Flag::OkOnly;
inline constexpr host::MessageBoxFlags kFlagsStop = Flag::OkOnly | Flag::Stop;

} // namespace korven::forms::texts
