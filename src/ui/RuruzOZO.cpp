// The program's entry: the application shell around the one window.
#include <windows.h>

#include "text/Cp932.h"
#include "ui/Application.h"
#include "ui/RuruzOZOU.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  mif::TApplication application(instance);
  application.SetTitle(mif::EncodeCp932(mif::TApplication::kTitle));
  {
    mif::TRuruzOZOF window(mif::MakeSystemFileDialogs());
    application.Run(showCommand);
  }
  return 0;
}
