#pragma once

#include "app/ConversionSettings.h"
#include "preview/PreviewCanvas.h"
#include "preview/PreviewModel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace korven::forms {

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

// The PREVIEW window: the handheld's screen drawn with the file Convert would write for the
// main window's current pick, size and shadow, with what that file holds beside it. Modeless,
// at most one at a time, closed by Escape; it never writes a file.
class frmPreview : public QDialog {
    Q_OBJECT

public:
    // Creates the window if none exists, shows it for `settings` and brings it to the front.
    static frmPreview* ShowModeless(const app::ConversionSettings& settings);
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

    void UserLine_Change();
    void Zoom_Click();
    void SetFile_Click();

private:
    frmPreview();
    ~frmPreview() override;
    void CreateControls();
    void ShowFacts();
    void CreateSetFileList();
    void NameSetFiles();
    void ShowFile();

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
};

} // namespace korven::forms
