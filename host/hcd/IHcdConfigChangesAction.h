#pragma once

#include <string>

// The facet through which the host asks what a configuration change requires.
// Declaration order is the order handler objects are built against.
class IHcdConfigChangesAction {
 public:
  // What the host must do after a change. Handlers answer with these values.
  enum EConfigChangeAction : int {
    ECA_RESTART_HANDLER = 0,
    ECA_NONE = 1,
    ECA_REFRESH_RECORDSET = 2,
    ECA_RESTART_RECORDSET = 3,
  };

  IHcdConfigChangesAction();
  virtual ~IHcdConfigChangesAction();

  virtual EConfigChangeAction CheckHandlerConfigChange(std::string& first, std::string& second) = 0;
  virtual EConfigChangeAction CheckRecordSetConfigChange(std::string& first, std::string& second,
                                                         long recordSetId, bool dynamic) = 0;
  virtual EConfigChangeAction CheckOtherChange1(const std::string& first,
                                                const std::string& second) = 0;
  virtual EConfigChangeAction CheckOtherChange2(const std::string& first,
                                                const std::string& second) = 0;
  virtual EConfigChangeAction CheckOtherChange3(const std::string& first,
                                                const std::string& second) = 0;
  virtual EConfigChangeAction CheckOtherChange4(const std::string& first,
                                                const std::string& second) = 0;
  virtual EConfigChangeAction CheckHandlerPageFormatChange(const std::string& first,
                                                           const std::string& second) const;
  virtual EConfigChangeAction CheckHandlerComponentFailoverChange(const std::string& first,
                                                                  const std::string& second) const;
  virtual EConfigChangeAction CheckHandlerFullTickChange(const std::string& first,
                                                         const std::string& second) const;
  virtual EConfigChangeAction CheckRecordSetPageFormatChange(const std::string& first,
                                                             const std::string& second) const;
  virtual EConfigChangeAction CheckRecordSetPageStripChange(const std::string& first,
                                                            const std::string& second) const;
  virtual EConfigChangeAction CheckRecordSetMaxDynRecChange(long first, long second) const;
  virtual EConfigChangeAction CheckFieldLengthChange(const std::string& first,
                                                     const std::string& second, long oldLength,
                                                     long newLength) const;
  virtual EConfigChangeAction CheckFieldCalculatedChange(const std::string& first,
                                                         const std::string& second,
                                                         long field) const;
  virtual EConfigChangeAction CheckFieldContributedChange(const std::string& first,
                                                          const std::string& second,
                                                          bool contributed) const;
  virtual EConfigChangeAction CheckPageRecordChanged(const std::string& first,
                                                     const std::string& second, bool dynamic) const;
  virtual bool SupportsUnlimitedDynRecs() const;
};
