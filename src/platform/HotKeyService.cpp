#include "platform/HotKeyService.h"

namespace
{
class CRefusingHotKeyService : public CHotKeyService
{
public:
    bool RegisterHotKey(QObject*, int, UINT, UINT) override { return false; }
    bool UnregisterHotKey(QObject*, int) override { return false; }
};

CRefusingHotKeyService g_refusing;
CHotKeyService* g_pService = &g_refusing;
} // namespace

CHotKeyService* GetHotKeyService()
{
    return g_pService;
}

void SetHotKeyService(CHotKeyService* pService)
{
    g_pService = pService ? pService : &g_refusing;
}
