#pragma once

#include "app/bindings/ModelBinder.h"
#include "app/panel/FormView.h"
#include "app/panel/Panel.h"

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class TForm1;
}

namespace korvel::app {

class TrayIcon;
class WindowPreferences;

// The main window: the page control, the column of main buttons and the status bar, a view on
// the panel's settings.
class TForm1 : public QMainWindow, public FormView {
    Q_OBJECT

public:
    explicit TForm1(Panel& panel, QWidget* parent = nullptr);
    ~TForm1() override;

    void applyTranslation(const std::string& programFolder) override;
    // The words the program's own texts show in, for the messages of the logic.
    [[nodiscard]] const DisplayTexts& words() const { return m_words; }
    void ALONTOPClick() override;
    void clearDecoderIdentificationSelection() override;
    void showAtStart(bool visible) override;

    // "Save and E&xit": closes the window through the close sequence.
    void Exit1Click();
    // A close the system asks for (a logout, a shutdown, a service stop): nothing is asked, an
    // open message box is dismissed, and an operation under way ends first.
    void closeForSystem();
    // Makes the pages not brought to the front yet, as if each had been.
    void buildEveryPage();

signals:
    // The close sequence has run: the program ends.
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void addPages();
    void addStatusText();
    // A page's controls are made the first time it is brought to the front.
    void buildPage(int index);
    // The Program page's link to the character conversion, which the text sources' options hold.
    void linkConversion(QWidget& page);
    void showConversion();
    // Replaces captions and hints under root from the translation file read at start-up.
    void translate(QWidget& root);
    // The combo boxes and group boxes under root take the window's compact style.
    void compactControls(QWidget& root);
    void orderTabs();
    // Keeps the window's position for the settings file.
    void keepPosition();
    // The stored position, kept on the screen.
    [[nodiscard]] QPoint storedPosition() const;

    Panel& m_panel;
    std::unique_ptr<Ui::TForm1> m_ui;
    DisplayTexts m_words; // before the binder, which shows them
    ModelBinder m_binder;
    std::optional<std::string> m_translation;
    QStyle* m_compact = nullptr;
    TrayIcon* m_tray = nullptr;
    WindowPreferences* m_preferences = nullptr;
    Panel::CloseBy m_closeBy = Panel::CloseBy::Operator;
};

} // namespace korvel::app
