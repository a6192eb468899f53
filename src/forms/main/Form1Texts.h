#pragma once

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
inline constexpr char kLinkToolTip[] = "visita il nostro sito";
inline constexpr char kSourcePattern[] = "*.ttf";
inline constexpr char kDestinationPattern[] = "*.pgf";

inline constexpr char kSelectFont[] = "Please select a font";
inline constexpr char kSelectFontTitle[] = "Question";
inline constexpr char kReplaceQuestion[] = "the file already exist to replace it";
inline constexpr char kReplaceTitle[] = "QUESTION";
inline constexpr char kDeviceUnavailable[] = " Peripheral not available ";
inline constexpr char kDiskNotReady[] = "Not ready disc";

// Message box flags: buttons + icon + default button.
inline constexpr int kFlagsSelectFont = 304;
inline constexpr int kFlagsReplace = 276;
inline constexpr int kFlagsPlain = 0;
inline constexpr int kFlagsStop = 16;

} // namespace korven::forms::texts
