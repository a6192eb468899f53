#include "RenderOptions.h"

#include <limits>

namespace korven::xpbutton::render {

namespace {

// Whole numbers in decimal, or in hexadecimal with a 0x prefix; anything else is refused.
std::optional<qint64> parseNumber(const QString& text) {
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        value = text.mid(2).toLongLong(&ok, 16);
        ok =
            ok && text.size() > 2 && !text.mid(2).startsWith(u'-') && !text.mid(2).startsWith(u'+');
    } else {
        value = text.toLongLong(&ok, 10);
    }
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

bool inRange(qint64 v, qint64 lo, qint64 hi) {
    return v >= lo && v <= hi;
}

} // namespace

QString UsageText() {
    return QStringLiteral(
        "usage: xpbutton-render --type N --scheme N --width W --height H [--state S]\n"
        "                       [--disabled] [--focused] [--show-focus 0|1] [--default]\n"
        "                       [--back 0xBBGGRR] [--fore 0xBBGGRR] [--caption TEXT] [--mask]\n"
        "                       --out FILE.png\n"
        "       xpbutton-render --sheet FILE.png\n");
}

std::optional<Command> ParseArguments(const QStringList& args, QString& error) {
    Command cmd;
    bool haveType = false, haveScheme = false, haveWidth = false, haveHeight = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args.at(i);
        const auto flag = [&](bool& target) { target = true; };
        if (name == u"--disabled") {
            flag(cmd.button.disabled);
            continue;
        }
        if (name == u"--focused") {
            flag(cmd.button.focused);
            continue;
        }
        if (name == u"--default") {
            flag(cmd.button.asDefault);
            continue;
        }
        if (name == u"--mask") {
            flag(cmd.button.mask);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value, or is not an option").arg(name);
            return std::nullopt;
        }
        const QString value = args.at(++i);
        if (name == u"--out") {
            cmd.out = value;
            continue;
        }
        if (name == u"--sheet") {
            cmd.sheet = value;
            continue;
        }
        if (name == u"--caption") {
            cmd.button.caption = value;
            continue;
        }
        const std::optional<qint64> n = parseNumber(value);
        const auto bad = [&] {
            error = QStringLiteral("bad value for %1: %2").arg(name, value);
            return std::nullopt;
        };
        if (!n) {
            return bad();
        }
        const qint64 v = *n;
        constexpr qint64 kMin32 = std::numeric_limits<std::int32_t>::min();
        constexpr qint64 kMax32 = std::numeric_limits<std::int32_t>::max();
        if (name == u"--type" && inRange(v, kMin32, kMax32)) {
            cmd.button.type = std::int32_t(v);
            haveType = true;
        } else if (name == u"--scheme" && inRange(v, kMin32, kMax32)) {
            cmd.button.scheme = std::int32_t(v);
            haveScheme = true;
        } else if (name == u"--width" && inRange(v, 1, kMaxSide)) {
            cmd.button.width = int(v);
            haveWidth = true;
        } else if (name == u"--height" && inRange(v, 1, kMaxSide)) {
            cmd.button.height = int(v);
            haveHeight = true;
        } else if (name == u"--state" && inRange(v, 0, 255)) {
            cmd.button.state = std::uint8_t(v);
        } else if (name == u"--show-focus" && inRange(v, 0, 1)) {
            cmd.button.showFocus = v == 1;
        } else if (name == u"--back" && inRange(v, 0, 0xFFFFFFFFLL)) {
            cmd.button.back = host::Colour(v);
        } else if (name == u"--fore" && inRange(v, 0, 0xFFFFFFFFLL)) {
            cmd.button.fore = host::Colour(v);
        } else if (name == u"--type" || name == u"--scheme" || name == u"--width" ||
                   name == u"--height" || name == u"--state" || name == u"--show-focus" ||
                   name == u"--back" || name == u"--fore") {
            return bad();
        } else {
            error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        }
    }
    if (!cmd.sheet.isEmpty()) {
        if (!cmd.out.isEmpty()) {
            error = QStringLiteral("--sheet and --out cannot be used together");
            return std::nullopt;
        }
        return cmd;
    }
    if (cmd.out.isEmpty() || !haveType || !haveScheme || !haveWidth || !haveHeight) {
        error = QStringLiteral("--type, --scheme, --width, --height and --out are required");
        return std::nullopt;
    }
    return cmd;
}

} // namespace korven::xpbutton::render
