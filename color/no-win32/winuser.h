#error "color/ is portable code: it must not include Win32 headers"
