#include "Program.h"
#include "Kelt.h"
#include "framework/Application.h"
#include "framework/Exception.h"
#include "gdiplus/GdiplusSession.h"

namespace plaxor {

int RunProgram(int showCommand, const std::function<void(TApplication&)>& createForms) {
    try {
        // Outlives the application: the glow buttons paint with GDI+ until they are destroyed.
        GdiplusSession gdiplus;
        TApplication application;
        application.Initialize();
        createForms(application);
        application.Run(showCommand);
        return 0;
    } catch (const std::exception& error) {
        return ShowLastResortError(error);
    } catch (...) {
        return ShowLastResortError(Exception(L"Unknown error"));
    }
}

int RunPlaxor(int showCommand) {
    return RunProgram(showCommand, [](TApplication& application) { application.CreateForm(kelt); });
}

} // namespace plaxor
