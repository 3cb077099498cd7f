#pragma once

#include "app/ModelBinder.h"
#include "app/Panel.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class TForm1;
}

namespace korvel::app {

class TrayIcon;

// The main window: the page control, the column of main buttons and the status bar, a view on
// the panel's settings.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(Panel& panel, QWidget* parent = nullptr);
    ~TForm1() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addPages();
    void addStatusText();
    // The page tabs and every combo box take the window's compact style.
    void compactControls();
    void orderTabs();

    Panel& m_panel;
    std::unique_ptr<Ui::TForm1> m_ui;
    ModelBinder m_binder;
    TrayIcon* m_tray = nullptr;
};

} // namespace korvel::app
