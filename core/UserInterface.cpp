#include "UserInterface.h"

namespace {

class SilentInterface final : public UserInterface
{
public:
    void showMessage(const QString &, Icon, const QString &) override {}
    void showError(const FileError &) override {}
    void refreshSkinList(const std::filesystem::path &) override {}
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
