#pragma once

// The main window. Its fields are the program's only store of data: the
// altitude (Text1) and the Earth radius (Text2) are typed by the user or
// written by the scroll bar and the ellipsoid list; "Calcular" reads both,
// hands them to the calculation core and writes its two result texts into
// Text3 and Text4, or shows the core's message. Every message box, and the
// end of the program, goes through the injected Platform.

#include <memory>

#include <QMainWindow>

#include "calc/OrbitVelocity.h"

namespace Ui {
class Form1;
}

namespace zenalto {

class Platform;
class frmAbout;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override;

    // The About dialog once it has been shown; empty until then.
    [[nodiscard]] frmAbout* aboutDialog() const { return m_frmAbout.get(); }

private:
    void calculate(CalculationPrompts prompts);
    void clearFields();
    void endProgram();
    void showHelp();
    void showAbout();
    void applyEllipsoidChoice(int index);
    void copyScrollPosition(int position);

    void placeAtStartPosition();
    void keepComboTextAsTyped();

    std::unique_ptr<Ui::Form1> m_ui;
    Platform& m_platform;
    std::unique_ptr<frmAbout> m_frmAbout;
};

}  // namespace zenalto
