# Schedule tests in chosen real time zones. Natively the zone tests switch TZ in-process; under
# Wine the C runtime's zone is fixed per process by the Linux TZ, so each zone gets its own run,
# and ZAVRA_TEST_ZONE tells the tests which zone they are in (the others skip).
if(ZAVRA_WINDOWS)
  foreach(zone America/New_York Europe/Berlin America/Havana Asia/Beirut)
    string(REPLACE "/" "_" name ${zone})
    add_test(NAME schedule_zone_${name} COMMAND core_tests --gtest_filter=ScheduleZone*)
    set_tests_properties(schedule_zone_${name} PROPERTIES
        ENVIRONMENT "TZ=${zone};ZAVRA_TEST_ZONE=${zone}" LABELS core)
  endforeach()
endif()
