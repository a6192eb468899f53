#include "controls/xpbutton/appearance/AccessKey.h"

#include "host/surface/DrawingSurface.h"

namespace korven::xpbutton {

QString AccessKeyOf(const QString& caption) {
    const qsizetype length = caption.size();
    if (length < 2) {
        return {};
    }
    const qsizetype p = caption.indexOf(u'&');
    if (p < 0 || p == length - 1) {
        return {};
    }
    if (caption.at(p + 1) != u'&') {
        return QString(caption.at(p + 1).toLower());
    }
    // "&&" shows a plain "&"; the mark after it may still name a key.
    const qsizetype q = caption.indexOf(u'&', p + 2);
    if (q < 0 || q == length - 1) {
        return {};
    }
    const QChar c2 = caption.at(q + 1);
    return c2 == u'&' ? QString() : QString(c2.toLower());
}

void UpdateAccessKey(const ButtonState& state, host::DrawingSurface& surface) {
    surface.setAccessKeys(AccessKeyOf(state.Caption));
}

} // namespace korven::xpbutton
