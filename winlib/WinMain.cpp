// The program's entry point hands over to the application object.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return AfxWinMain(instance, showCommand);
}
