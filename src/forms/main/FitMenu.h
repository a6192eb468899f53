#pragma once

#include <QMenu>
#include <QString>

namespace korven::forms {

// The FIT menu: files that games laid out for the handheld's own fonts show whole. "Fit the
// handheld's own sizes" fits every file to the handheld's font of its slot; "Like my handheld's
// files…" to the user's own copies of those fonts in a folder they choose (choosing it again
// clears it). Nothing is chosen at first, which gives exactly the designed command line.
class FitMenu : public QMenu {
    Q_OBJECT
public:
    explicit FitMenu(QWidget* parent = nullptr);

    QAction* FitItem() const { return fit_; }
    QAction* LikeItem() const { return like_; }
    bool FitChosen() const;
    // Shows the folder of the user's own files in use on its item, checked; empty: none.
    void ShowOwnFolder(const QString& folder);

signals:
    void FitChanged(bool fit);
    // The like item was chosen: pick a folder, or clear the one in use.
    void LikeRequested();

private:
    QAction* fit_ = nullptr;
    QAction* like_ = nullptr;
};

} // namespace korven::forms
