#include "app/RememberedChoices.h"

#include <QSettings>

namespace korven::app {

namespace {

// Every kept choice: its key in the store and where it lives in RememberedChoices. Kinds are
// told apart by the member's type, so a key cannot be read as the wrong kind.
struct TextKey {
    const char* key;
    QString RememberedChoices::*member;
};
struct ListKey {
    const char* key;
    QStringList RememberedChoices::*member;
};
constexpr TextKey kTexts[] = {
    {"fit/ownFontsFolder", &RememberedChoices::ownFontsFolder},
    {"set/serifFont", &RememberedChoices::serifFont},
    {"preview/line", &RememberedChoices::previewLine},
    {"folders/source", &RememberedChoices::sourceFolder},
    {"folders/destination", &RememberedChoices::destinationFolder},
};
constexpr ListKey kLists[] = {{"characters/sets", &RememberedChoices::characterSets}};
constexpr char kFitKey[] = "fit/handheld";
constexpr char kZoomKey[] = "preview/zoom";
constexpr int kLeastZoom = 1;
constexpr int kMostZoom = 3;

} // namespace

RememberedChoices LoadChoices(const QSettings& store) {
    RememberedChoices choices;
    for (const TextKey& k : kTexts) {
        const QVariant value = store.value(QLatin1String(k.key));
        if (value.typeId() == QMetaType::QString)
            choices.*k.member = value.toString();
    }
    for (const ListKey& k : kLists) {
        const QVariant value = store.value(QLatin1String(k.key));
        if (value.canConvert<QStringList>())
            choices.*k.member = value.toStringList();
    }
    const QString fit = store.value(QLatin1String(kFitKey)).toString();
    choices.fitToHandheld = fit == QLatin1String("true");
    bool isNumber = false;
    const int zoom = store.value(QLatin1String(kZoomKey)).toString().toInt(&isNumber);
    if (isNumber && zoom >= kLeastZoom && zoom <= kMostZoom)
        choices.previewZoom = zoom;
    return choices;
}

void SaveChoices(QSettings& store, const RememberedChoices& choices) {
    for (const TextKey& k : kTexts)
        store.setValue(QLatin1String(k.key), choices.*k.member);
    for (const ListKey& k : kLists)
        store.setValue(QLatin1String(k.key), choices.*k.member);
    store.setValue(QLatin1String(kFitKey), choices.fitToHandheld);
    store.setValue(QLatin1String(kZoomKey), choices.previewZoom);
    store.sync();
}

void ForgetChoices(QSettings& store) {
    store.clear();
    store.sync();
}

} // namespace korven::app
