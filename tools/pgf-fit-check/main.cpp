// pgf-fit-check FILE.pgf...: says for each file whether it lies in the box of the handheld's
// own font its name names (ltnN.pgf, jpn0.pgf, kr0.pgf; any other name: ltn0), and where not.
// For surveys of many fonts; exits 1 when any file is outside its box.
#include "converter/core/HandheldFonts.h"
#include "converter/core/PgfReader.h"
#include "converter/rules/FontFile.h"

#include <iostream>

using namespace korven::converter;

int main(int argc, char** argv) {
    int outside = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        try {
            const PgfFile file = PgfFile::parse(readWholeFile(path));
            const HandheldFont& font = handheldFontForFile(path);
            const std::vector<std::string> problems = fitProblems(file, fitTargetOf(font));
            std::cout << path << ": " << (problems.empty() ? "in the box of " : "outside ")
                      << font.name << '\n';
            for (const std::string& problem : problems)
                std::cout << "  " << problem << '\n';
            outside += problems.empty() ? 0 : 1;
        } catch (const std::exception& e) {
            std::cerr << path << ": " << e.what() << '\n';
            return 2;
        }
    }
    return outside > 0 ? 1 : 0;
}
