#include "platform/testsupport/unwritablefolder.h"

#include <QFile>
#include <QTemporaryFile>

UnwritableFolder::UnwritableFolder(const QString &path)
    : m_path(path)
{
    QFile::setPermissions(m_path,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                              | QFile::ExeOther);
    m_saved = cap_get_proc();
    if (cap_t reduced = cap_dup(m_saved)) {
        const cap_value_t overrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER};
        cap_set_flag(reduced, CAP_EFFECTIVE, 3, overrides, CAP_CLEAR);
        cap_set_proc(reduced);
        cap_free(reduced);
    }
    // Proof rather than belief: a file must really fail to appear there.
    QTemporaryFile probe(m_path + QStringLiteral("/probe-XXXXXX"));
    m_effective = !probe.open();
}

UnwritableFolder::~UnwritableFolder()
{
    if (m_saved) {
        cap_set_proc(m_saved);
        cap_free(m_saved);
    }
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
