#pragma once

#include <QFlags>
#include <QString>

class QWidget;

namespace korven::host {

// Flags of a message box, composed with |: one button set, at most one icon, and
// SecondButtonDefault when the second button is the default, e.g. YesNo | Stop. The values
// are the designed numbers; the button set and the icon are fields, read through their masks.
enum class MessageBoxFlag : int {
    // Button sets, in the low four bits.
    OkOnly = 0,
    YesNo = 4,
    ButtonsMask = 0x0F,
    // Icons, in the next three bits.
    Stop = 16,
    Warning = 48,
    IconMask = 0x70,

    SecondButtonDefault = 256,
};
Q_DECLARE_FLAGS(MessageBoxFlags, MessageBoxFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(MessageBoxFlags)

// What a closed box answers. A box closed any other way than by OK, Yes or No answers
// Closed, which callers must treat as "not Yes".
namespace MessageBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Closed = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MessageBoxResult

// A modal message box, as a seam: no widget code lives here, the real box is
// QtMessageBoxService in the toolkit above. Windows receive one of these at construction, so tests
// can give preset answers and read back what would have been shown instead of clicking a real box.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    // Shows `text` modally and returns the answer. An empty `title` means the program title.
    // `secondary`, when given, is shown under the main text in a smaller voice: the details
    // that explain it (where a file went, the command that was run).
    virtual int Show(const QString& text, MessageBoxFlags flags = MessageBoxFlag::OkOnly,
                     const QString& title = QString(), QWidget* parent = nullptr,
                     const QString& secondary = QString()) = 0;
};

} // namespace korven::host
