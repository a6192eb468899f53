#pragma once

#include <QString>

namespace korven::host {

// Opens a web address with the desktop's default handler. Injectable so that tests can
// click a link without starting a browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // `directory` is the folder the handler starts in where the platform supports one.
    // Returns whether the desktop accepted the request.
    virtual bool Open(const QString& url, const QString& directory) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    bool Open(const QString& url, const QString& directory) override;
};

} // namespace korven::host
