// A stand-in for the text measuring of the device-context service while it
// is being written: the export's tests convert text but measure none.
// Removed when the real service is merged.
#include "platform/gdi.h"

BOOL GetTextExtentExPointW(HDC, LPCWSTR, int, int, int*, int*, SIZE*) { return FALSE; }
