#include "startup/ProgramOptions.h"

#include <QCommandLineParser>
#include <gtest/gtest.h>

namespace korven::startup {
namespace {

struct CommandLineCase {
    const char* name;
    QStringList arguments;
    bool refused;
    const char* said;
};

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, IsJudgedWithoutAnApplication) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    const auto mistake = CommandLineMistake(parser, GetParam().arguments);
    ASSERT_EQ(mistake.has_value(), GetParam().refused) << mistake.value_or(QString()).toStdString();
    if (mistake) {
        EXPECT_TRUE(mistake->contains(QLatin1String(GetParam().said))) << mistake->toStdString();
    }
}

const QString kProgram = QStringLiteral("/home/me/build/korven-font-converter");

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLine,
    testing::Values(CommandLineCase{"NoFont", {kProgram}, false, ""},
                    CommandLineCase{"OneFont", {kProgram, QStringLiteral("a.ttf")}, false, ""},
                    CommandLineCase{"Help", {kProgram, QStringLiteral("--help")}, false, ""},
                    CommandLineCase{"TwoFonts",
                                    {kProgram, QStringLiteral("a.ttf"), QStringLiteral("b.ttf")},
                                    true,
                                    "\"a.ttf\" and \"b.ttf\""},
                    CommandLineCase{
                        "UnknownOption", {kProgram, QStringLiteral("--bogus")}, true, "bogus"},
                    // The window system's own options are its business, with their values.
                    CommandLineCase{"ToolkitOptions",
                                    {kProgram, QStringLiteral("-platform"),
                                     QStringLiteral("offscreen"), QStringLiteral("--style=Fusion"),
                                     QStringLiteral("-reverse"), QStringLiteral("a.ttf")},
                                    false,
                                    ""},
                    // A toolkit option's value is not a second font.
                    CommandLineCase{"ToolkitValueIsNoFont",
                                    {kProgram, QStringLiteral("-display"), QStringLiteral(":1"),
                                     QStringLiteral("a.ttf")},
                                    false,
                                    ""},
                    // After "--" a name that looks like an option is a file.
                    CommandLineCase{"DashedFileName",
                                    {kProgram, QStringLiteral("--"), QStringLiteral("-platform")},
                                    false,
                                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace korven::startup
