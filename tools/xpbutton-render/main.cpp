// xpbutton-render: draws one button, or a contact sheet of all looks, to a PNG file.
#include "ButtonRender.h"
#include "RenderOptions.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Drawing needs fonts but no screen; run without a display unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    using namespace korven::xpbutton::render;

    QString error;
    const std::optional<Command> cmd = ParseArguments(app.arguments().mid(1), error);
    if (!cmd) {
        std::fprintf(stderr, "xpbutton-render: %s\n%s", qPrintable(error), qPrintable(UsageText()));
        return 2;
    }
    const bool sheet = !cmd->sheet.isEmpty();
    const QString path = sheet ? cmd->sheet : cmd->out;
    const QImage image = sheet ? RenderContactSheet() : RenderButton(cmd->button);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "xpbutton-render: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
