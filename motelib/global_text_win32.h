#pragma once
// A text block a caller handed over (GlobalAlloc, GMEM_FIXED, no terminator): the library owns
// it from the call on and frees it when the call is done.

#include <windows.h>

#include <string_view>

namespace yorimemo::motelib {

class GlobalText {
public:
    GlobalText(const char* data, int length) noexcept
        : data_(data),
          length_(data != nullptr && length > 0 ? static_cast<std::size_t>(length) : 0) {
        if (data_ == nullptr) return;
        // A length beyond the block would read past it.
        const SIZE_T size = GlobalSize(const_cast<char*>(data_));
        if (size != 0 && size < length_) length_ = size;
    }
    ~GlobalText() {
        if (data_ != nullptr) GlobalFree(const_cast<char*>(data_));
    }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;

    std::string_view view() const { return {data_ == nullptr ? "" : data_, length_}; }

private:
    const char* data_;
    std::size_t length_;
};

}  // namespace yorimemo::motelib
