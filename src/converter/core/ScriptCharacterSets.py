#!/usr/bin/env python3
"""Writes ScriptCharacterSets.cpp, the code points of the "japanese" and "korean" character sets.

The lists come from Python's own codecs, so nobody has to trust a hand-typed table: the Japanese
list is every character EUC-JP's two-byte codes decode to (JIS X 0208, 6,879 characters), the
Korean one every character of the symbol rows 1 to 12 of EUC-KR (KS X 1001). The sets add the
half-width katakana and all modern Hangul syllables and compatibility jamo, which the codecs
cover only in part. To regenerate and compare:

    python3 src/converter/core/ScriptCharacterSets.py > src/converter/core/ScriptCharacterSets.cpp
    git diff src/converter/core/ScriptCharacterSets.cpp
"""
import sys

ROW_CELLS = range(0xA1, 0xFF)


def decoded(codec, rows):
    """Every single character the two-byte codes of these rows decode to."""
    found = set()
    for row in rows:
        for cell in ROW_CELLS:
            try:
                text = bytes([row, cell]).decode(codec)
            except UnicodeDecodeError:
                continue
            if len(text) == 1:
                found.add(ord(text))
    return found


def ranges(code_points):
    runs = []
    for c in sorted(code_points):
        if runs and runs[-1][1] + 1 == c:
            runs[-1][1] = c
        else:
            runs.append([c, c])
    return runs


def table(name, code_points, comment):
    runs = ranges(code_points)
    cells = ["{0x%04X, 0x%04X}," % (first, last) for first, last in runs]
    lines = ["    " + " ".join(cells[i:i + 5]) for i in range(0, len(cells), 5)]
    return ("// %s.\n// %d characters in %d ranges.\n" % (comment, len(code_points), len(runs)) +
            "constexpr std::array<CodePointRange, %d> %s{{\n" % (len(runs), name) +
            "\n".join(lines) + "\n}};\n")


def main():
    japanese = decoded("euc_jp", range(0xA1, 0xFF)) | set(range(0xFF61, 0xFFA0))
    korean = (decoded("euc_kr", range(0xA1, 0xAD)) | set(range(0xAC00, 0xD7A4)) |
              set(range(0x3131, 0x318F)))
    assert len(decoded("euc_jp", range(0xA1, 0xFF))) == 6879
    assert all(0x20 <= c <= 0xFFFF for c in japanese | korean)
    out = sys.stdout
    out.write("// Made by ScriptCharacterSets.py from Python's codecs; run it again rather than edit.\n")
    out.write('#include "converter/core/ScriptCharacterSets.h"\n\n')
    out.write("#include <array>\n\n")
    out.write("namespace korven::converter {\n\nnamespace {\n\n")
    out.write("// clang-format off\n")
    out.write(table("kJapanese", japanese,
                    "JIS X 0208 as EUC-JP decodes it, and the half-width katakana U+FF61-U+FF9F"))
    out.write("\n")
    out.write(table("kKorean", korean,
                    "The symbols of KS X 1001 as EUC-KR decodes them (rows 1 to 12), the Hangul\n"
                    "// compatibility jamo U+3131-U+318E and the Hangul syllables U+AC00-U+D7A3"))
    out.write("// clang-format on\n\n} // namespace\n\n")
    out.write("std::span<const CodePointRange> japaneseRanges() {\n    return kJapanese;\n}\n\n")
    out.write("std::span<const CodePointRange> koreanRanges() {\n    return kKorean;\n}\n\n")
    out.write("} // namespace korven::converter\n")


if __name__ == "__main__":
    main()
