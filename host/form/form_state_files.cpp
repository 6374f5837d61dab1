#include "host/form/form_state_files.h"

#include "host/form/Pcmain.h"
#include "host/form/control_widgets.h"

StateFileResult LoadStateFile(const std::string &path, TForm1 &form)
{
    ControlValues controls;
    StateFileResult result = LoadStateFile(path, &controls);
    if (result.ok)
        ApplyControlValues(form, controls);
    return result;
}

void ApplyStateFileValues(const StateFileValues &values, TForm1 &form)
{
    ApplyStateFileValues(values);
    ApplyControlValues(form, values.controls);
}

StateFileResult SaveStateFile(const std::string &path, const TForm1 &form)
{
    return SaveStateFile(path, ReadControlValues(form));
}

StateFileResult SaveNewStateFile(const std::string &folder, const TForm1 &form, std::string *path)
{
    return SaveNewStateFile(folder, ReadControlValues(form), path);
}

std::string StateFileText(const TForm1 &form)
{
    return StateFileText(PresentStateFileValues(ReadControlValues(form)));
}

StateFileResult OpenStore(const std::string &path, TForm1 &form)
{
    return OpenStore(path, {[&form] { return ReadControlValues(form); },
                            [&form](const ControlValues &values) { ApplyControlValues(form, values); }});
}

void ShowStoreMessagesIn(TForm1 &form)
{
    SetStoreMessageHandler([&form](const std::string &message) { form.SetStatusMessage(message); });
}
