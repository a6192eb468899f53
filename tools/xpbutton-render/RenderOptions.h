#pragma once

#include "host/surface/Colour.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace korven::xpbutton::render {

// One button to preview, as the command line describes it. Unset colours mean the system
// button colours, as on a newly placed button.
struct ButtonOptions {
    std::int32_t type = 2;
    std::int32_t scheme = 1;
    int width = 0;
    int height = 0;
    std::uint8_t state = 0;
    bool disabled = false;
    bool focused = false;
    bool showFocus = true;
    bool asDefault = false;
    std::optional<host::Colour> back;
    std::optional<host::Colour> fore;
    QString caption;
    bool mask = false;
};

struct Command {
    ButtonOptions button;
    QString out;   // one button to this file
    QString sheet; // or the contact sheet to this file
};

// Reads the arguments (without the program name). Returns the command, or an error
// message for the user in error.
std::optional<Command> ParseArguments(const QStringList& args, QString& error);

QString UsageText();

// Sizes are bounded so that a typing slip cannot ask for gigabytes of image.
inline constexpr int kMaxSide = 8192;

} // namespace korven::xpbutton::render
