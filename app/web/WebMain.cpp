// The program in a browser: the page already shows the main window, written
// from its layout table when the program was built; main() gives it the
// platform and the commands, and the page answers from then on. The two
// objects live as long as the page, which keeps the program running after
// main() has returned.

#include <emscripten.h>

#include "layout/PageWindow.h"
#include "main_window/web/Form1.h"
#include "platform/WebPlatform.h"

// The end of the program, as the platform carries it out, takes the windows
// off the page where the browser keeps the page open.
// clang-format off
EM_JS(void, zenalto_connect_end, (), {
    ZenaltoPlatform.onEnd(function () { Zenalto.end(); });
});
// clang-format on

int main() {
    zenalto_connect_end();
    static zenalto::web::WebPlatform platform;
    static zenalto::web::Form1 window(platform);
    zenalto::web::PageWindow::programStarted();
    return 0;
}
