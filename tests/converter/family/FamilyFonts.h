#pragma once

#include <filesystem>
#include <string>

namespace korven::converter::testing {

inline constexpr const char* kLiberationSans =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
inline constexpr const char* kLiberationFolder = "/usr/share/fonts/truetype/liberation/";
// The family name the copies of FontFolder::addRenamed carry: installed nowhere, so only the
// files beside each other can make up the family.
inline constexpr const char* kUnpackedFamily = "Korvenxtst Serif";

std::string fileName(const std::string& path);

// A fresh folder under the system's temporary folder, removed with everything in it.
class FontFolder {
public:
    FontFolder();
    ~FontFolder();
    FontFolder(const FontFolder&) = delete;
    FontFolder& operator=(const FontFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& name) const { return (root_ / name).string(); }
    // Copies a Liberation face under the same file name with its family renamed from
    // "Liberation" to "Korvenxtst" (the same length, so every table stays in place). False
    // when the face is not installed.
    bool addRenamed(const std::string& liberationFile);
    std::string write(const std::string& name, const std::string& bytes);

private:
    std::filesystem::path root_;
};

} // namespace korven::converter::testing
