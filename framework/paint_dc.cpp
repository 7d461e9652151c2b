#include "framework/paint_dc.h"

#include "framework/wnd.h"

CPaintDC::CPaintDC(const CWnd& window)
    : m_hWnd(window.GetSafeHwnd()), m_paint(), m_hDC(::BeginPaint(m_hWnd, &m_paint))
{
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_paint);
}
