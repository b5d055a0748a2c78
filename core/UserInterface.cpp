#include "UserInterface.h"

namespace {

class SilentInterface final : public UserInterface
{
public:
    void ShowMessage(const QString &, Icon, const QString &) override {}
    void ShowError(const FileError &) override {}
    void RefreshSkinList(const std::filesystem::path &) override {}
};

SilentInterface silent;
UserInterface *current = &silent;

} // namespace

void SetUserInterface(UserInterface *ui)
{
    current = ui ? ui : &silent;
}

UserInterface *CurrentUserInterface()
{
    return current;
}
