// Draws every skin picture the windows load and the program icon.
// Usage: skingen <picture folder> <icon file>
#include "tools/skingen/ActionEditorPictures.h"
#include "tools/skingen/AppIcon.h"
#include "tools/skingen/ButtonPagePictures.h"
#include "tools/skingen/MainDialogPictures.h"
#include "tools/skingen/MessageBoxPictures.h"
#include "tools/skingen/ModuleWindowPictures.h"
#include "tools/skingen/PictureFolder.h"
#include "tools/skingen/SettingPagePictures.h"
#include "tools/skingen/SharedControlPictures.h"
#include "tools/skingen/StatisticsPagePictures.h"

#include "framework/Picture.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        fwprintf(stderr, L"usage: skingen <picture folder> <icon file>\n");
        return 2;
    }
    fw::GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        fwprintf(stderr, L"skingen: GDI+ did not start\n");
        return 1;
    }
    skingen::PictureFolder folder(argv[1]);
    if (!folder.Prepare()) {
        fwprintf(stderr, L"skingen: cannot create %ls\n", argv[1]);
        return 1;
    }

    skingen::WriteMainDialogPictures(folder);
    skingen::WriteMessageBoxPictures(folder);
    skingen::WriteModuleWindowPictures(folder);
    skingen::WriteButtonPagePictures(folder);
    skingen::WriteKeypressPictures(folder);
    skingen::WriteCopyStringPictures(folder);
    skingen::WriteLaunchAppPictures(folder);
    skingen::WriteSettingPagePictures(folder);
    skingen::WriteStatisticsPagePictures(folder);
    skingen::WriteSharedControlPictures(folder);

    bool ok = folder.Failed().empty();
    for (const std::wstring& file : folder.Failed())
        fwprintf(stderr, L"skingen: could not write %ls\n", file.c_str());
    if (!skingen::AppIcon::Write(argv[2])) {
        fwprintf(stderr, L"skingen: could not write %ls\n", argv[2]);
        ok = false;
    }
    return ok ? 0 : 1;
}
