// A program that shows one message box with no owner, as the saver does for its own message,
// and exits once the user has answered it.
#include "platform/message_box.h"

int main(int argc, char** argv)
{
    platform::messageBox(0, argc > 1 ? argv[1] : "", "Error");
    return 0;
}
