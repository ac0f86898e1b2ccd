#include "app/SorvanaApp.h"

int main(int argc, char** argv)
{
    CSorvanaApp app(argc, argv);
    return app.Run();
}
