#include "hcd/IHcdDataPersistence.h"

// The host declares the exception; its body lives with the handler that throws it.

IHcdDataPersistence::CFormatException::CFormatException()
    : m_text("Persisted data format version is unrecognised") {}

IHcdDataPersistence::CFormatException::CFormatException(const CFormatException& other) = default;

IHcdDataPersistence::CFormatException& IHcdDataPersistence::CFormatException::operator=(
    const CFormatException& other) = default;

IHcdDataPersistence::CFormatException::~CFormatException() = default;

const char* IHcdDataPersistence::CFormatException::what() const noexcept { return m_text.c_str(); }
