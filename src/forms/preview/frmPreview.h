#pragma once

#include "app/ConversionSettings.h"
#include "preview/PreviewCanvas.h"
#include "preview/PreviewModel.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QMargins>
#include <QRect>
#include <QScrollArea>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QVBoxLayout;

namespace korven::forms {

// What PREVIEW keeps from one opening to the next while the program runs. Start-up owns it;
// a window opened without one starts afresh.
struct PreviewMemory {
    QString userLine;
    int zoom = 1;
    QRect frame; // where the window was, title bar and borders included; null before the first
    // The title bar and borders `frame` was measured with, so that the window inside comes back
    // exactly where and as large as it was, whatever the window system reports meanwhile.
    QMargins frameMargins;
};

// Where the main window is as PREVIEW opens, in the screen's logical pixels, so that the
// preview opens beside it. A null mainFrame leaves the placing to the window manager.
struct PreviewOpening {
    PreviewMemory* memory = nullptr;
    QRect mainFrame;       // the main window, title bar and borders included
    QRect followed;        // its panes the preview follows: kept uncovered where there is room
    QMargins frameMargins; // its title bar and borders, taken for the preview's own until known
};

// Shows the canvas at a whole zoom factor, every canvas pixel a square of screen pixels.
class PreviewCanvasView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvasView(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    int zoom_ = 1;
};

// Scrolls the canvas when the window is smaller than it, and asks for the whole canvas: the
// toolkit's own scroll area asks for no more than a few dozen lines of text.
class PreviewScroller : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

// The PREVIEW window: the handheld's screen drawn with the file Convert would write for the
// main window's current pick, size and shadow, with what that file holds beside it. Modeless,
// at most one at a time, closed by Escape; it never writes a file.
class frmPreview : public QDialog {
    Q_OBJECT

public:
    // Creates the window if none exists, shows it for `settings` and brings it to the front.
    // A new window takes the typed line, zoom and place from `opening.memory` when it has
    // them, and opens beside `opening.mainFrame` the first time.
    static frmPreview* ShowModeless(const app::ConversionSettings& settings,
                                    const PreviewOpening& opening = {});
    // The open window, or nullptr when there is none.
    static frmPreview* Instance();

    // Redraws for the main window's new choices (converting only when they changed).
    void Follow(const app::ConversionSettings& settings);

    const preview::PreviewCanvas& Canvas() const { return canvas_; }
    const preview::PreviewModel& Model() const { return model_; }
    PreviewCanvasView* CanvasView() const { return view_; }
    QComboBox* Zoom() const { return zoom_; }
    QLineEdit* UserLine() const { return userLine_; }
    QLabel* Held() const { return held_; }
    QPlainTextEdit* LeftOut() const { return leftOut_; }
    QLabel* FileSize() const { return fileSize_; }
    // Which file is shown: Convert's, or one of SET's sixteen, each named in words.
    QComboBox* SetFile() const { return setFile_; }
    QLabel* MadeFrom() const { return madeFrom_; }
    QScrollArea* Scroller() const { return scroller_; }
    // The characters of the typed line that the file does not hold; empty when it holds them all.
    QLabel* NotHeld() const { return notHeld_; }
    // How many glyphs were changed to fit the FIT menu's box, and the switch of its guide.
    QLabel* Fitted() const { return fitted_; }
    QCheckBox* Guide() const { return guide_; }

    // True while jpn0.pgf or kr0.pgf is being made on another thread; the canvas says so.
    bool Making() const { return making_.has_value(); }

    void UserLine_Change();
    void Zoom_Click();
    void SetFile_Click();
    void Guide_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    explicit frmPreview(const PreviewOpening& opening);
    ~frmPreview() override;
    void CreateControls();
    void Recall();
    void ShowFacts();
    // The file list and what the file is made from, on top of `side`.
    void AddSetFileList(QVBoxLayout* side);
    void NameSetFiles();
    void ShowFile();
    void ShowNotHeld();
    void ShowState(const preview::PreviewState& state);
    // jpn0.pgf and kr0.pgf: the kept file at once, else made on another thread so that the
    // window never waits for it; one at a time, the latest choice next.
    void ShowLongFile(int setFile);
    void MakeNext();
    void Made();
    void AddFitFacts(QFormLayout* facts);
    void ShowFit();
    // Its title bar and borders: its own once the window manager has framed it.
    QMargins FrameMargins() const;
    QRect AvailableArea() const;
    // Sizes the window to show the whole canvas at the chosen zoom, as far as the screen allows.
    void FitToCanvas();
    void PlaceFrame(const QRect& frame, const QMargins& margins);
    void Remember();

    PreviewOpening opening_;
    bool placed_ = false;
    // The frame margins the window was placed with, which Remember measures by.
    QMargins placedWith_;
    preview::PreviewModel model_;
    preview::PreviewCanvas canvas_;
    PreviewCanvasView* view_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QLineEdit* userLine_ = nullptr;
    QLabel* held_ = nullptr;
    QPlainTextEdit* leftOut_ = nullptr;
    QLabel* fileSize_ = nullptr;
    QComboBox* setFile_ = nullptr;
    QLabel* madeFrom_ = nullptr;
    app::ConversionSettings settings_; // the main window's choices as last heard
    PreviewScroller* scroller_ = nullptr;
    QLabel* notHeld_ = nullptr;
    QLabel* fitted_ = nullptr;
    QCheckBox* guide_ = nullptr;
    struct MakeRequest {
        app::ConversionSettings settings;
        int setFile = preview::kConvertFile;
        preview::PreviewKey key;
    };
    QFutureWatcher<preview::PreviewState>* maker_ = nullptr;
    std::shared_ptr<converter::StopFlag> stopMaking_ = std::make_shared<converter::StopFlag>(false);
    std::optional<MakeRequest> making_;  // being made now
    std::optional<MakeRequest> waiting_; // asked for since, made once that one is done
};

} // namespace korven::forms
