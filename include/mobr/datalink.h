#pragma once

#include <cstdint>

#include "mobr/export.h"

// The data-link interface: the second base of every dialog and page of the
// settings module. The host receives objects of this interface (the drawing
// size dialog) and drives them through the virtual operations below, so their
// number and order are fixed: 28 operations, then the virtual destructor.
//
// Every operation does nothing and returns 0 unless a class overrides it. An
// override returns non-zero when it accepted the item id and the value, and 0
// for an id it does not handle or a value out of range.
//
// Item ids: 30001 upward for blocks, integers, tables and handles; 20101
// upward for doubles; 20501 upward for host table pointers.
class MOBR_API CZqDataLink {
public:
    CZqDataLink() = default;
    CZqDataLink(const CZqDataLink&) = delete;
    CZqDataLink& operator=(const CZqDataLink&) = delete;

    // 1: a value, handle or pointer to a block (pointer-sized on 64-bit).
    virtual int SetPageData(int item, std::intptr_t value);
    // 2
    virtual int SetPageDouble(int item, double value);
    // 3: a zero-terminated text in host code page.
    virtual int SetPageString(int item, const char* text);
    // 4
    virtual int SetPageShort(int item, short value);
    // 5
    virtual int SetPageInt(int item, int value);
    // 6: copies at most `size` bytes of the item's block into `buffer`.
    virtual int GetPageData(int item, void* buffer, int size);
    // 7
    virtual int GetPageDouble(int item, double* value);
    // 8: copies the item's text, cut to size-1 bytes plus terminator.
    virtual int GetPageString(int item, char* buffer, int size);
    // 9
    virtual int GetPageShort(int item, short* value);
    // 10
    virtual int GetPageInt(int item, int* value);
    // 11: an array of `count` zero-terminated texts.
    virtual int SetPageList(int item, const char* const* texts, int count);
    // 12: an array of `count` records of the item's record type.
    virtual int SetPageTable(int item, const void* records, int count);
    // 13
    virtual int SetPageUInt(int item, std::uint32_t value);
    // 14
    virtual int GetPageUInt(int item, std::uint32_t* value);
    // 15: a block of `size` bytes copied in.
    virtual int SetPageBlock(int item, const void* block, int size);
    // 16: a pair of doubles (x, y or width, height).
    virtual int SetPagePoint(int item, double x, double y);
    // 17
    virtual int GetPagePoint(int item, double* x, double* y);
    // 18: the number of entries of a list or table item.
    virtual int GetPageCount(int item, int* count);
    // 19: copies at most `count` records of the item's table out.
    virtual int GetPageTable(int item, void* records, int count);
    // 20: copies at most `count` texts of a list item, each of `size` bytes.
    virtual int GetPageList(int item, char* texts, int size, int count);
    // 21: enables (1) or disables (0) an item of the page.
    virtual int SetPageEnable(int item, int enable);
    // 22: tells whether the page changed the item since it was set.
    virtual int IsPageModified(int item);
    // 23: the page's own check of its values; non-zero when they are valid.
    virtual int CheckPageData();
    // 24: writes the page's values into what it was given (apply).
    virtual int ApplyPageData();
    // 25: runs the dialog modally, stores the modal result in *result and
    // returns 0 when that result is -1 or 3, else non-zero.
    virtual int RunDialog(int* result);
    // 26: the window the object shows itself in (a QWidget*), or null.
    virtual void* GetPageWindow();
    // 27, 28: kept free so that later items need no change of the order.
    virtual int ReservedLink27(int item, std::intptr_t value);
    virtual int ReservedLink28(int item, std::intptr_t value);

    virtual ~CZqDataLink();
};
