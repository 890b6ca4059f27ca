// The program's entry: the shell, the one window, the message loop.
#include <windows.h>

#include <objbase.h>

#include "text/Cp932.h"
#include "ui/RuruzOZO.h"
#include "ui/RuruzOZOU.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // For the taskbar's progress (a COM object); the window does without.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  int code = 0;
  {
    mif::TApplication application(instance);
    application.SetTitle(mif::EncodeCp932(mif::TApplication::kTitle));
    try {
      mif::TRuruzOZOF window(mif::MakeSystemFileDialogs());
      application.Run(showCommand);
    } catch (...) {
      application.ReportError();
      code = 1;
    }
  }
  if (com) CoUninitialize();
  return code;
}
