#pragma once
// Resource ids of KTTxtSplit.
#define IDR_TXTSPLIT 1
