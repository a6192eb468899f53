#pragma once

#include "app/ConversionSettings.h"
#include "app/SetScripts.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace korven::forms {

// "Japanese and Korean too…": whether SET also makes jpn0.pgf and kr0.pgf, and from which
// font each. The picked font is offered for a script it draws; any other font can be chosen.
// Nothing is changed until the user accepts; Font() then gives the choice.
class ScriptFontsDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a font file: (parent, title, folder to start in); empty when cancelled.
    using FontQuestion = std::function<QString(QWidget*, const QString&, const QString&)>;

    ScriptFontsDialog(const app::ConversionSettings& settings, FontQuestion chooseFont,
                      QWidget* parent = nullptr);

    // The font the script's file is to be made from; empty: not made.
    QString Font(int script) const;

    QCheckBox* Make(int script) const { return rows_[Row(script)].make; }
    QLabel* FontLabel(int script) const { return rows_[Row(script)].font; }
    QPushButton* UsePicked(int script) const { return rows_[Row(script)].usePicked; }
    QPushButton* Choose(int script) const { return rows_[Row(script)].choose; }

    void UsePicked_Click(int script);
    void Choose_Click(int script);

private:
    struct ScriptRow {
        QString path; // the font offered or chosen; empty: none yet
        QCheckBox* make = nullptr;
        QLabel* font = nullptr;
        QPushButton* usePicked = nullptr;
        QPushButton* choose = nullptr;
    };
    static std::size_t Row(int script) { return script == 1 ? 1 : 0; }
    void Offer(int script, const QString& path, bool make);

    FontQuestion chooseFont_;
    QString picked_;
    std::array<ScriptRow, app::kScriptFileCount> rows_;
};

} // namespace korven::forms
